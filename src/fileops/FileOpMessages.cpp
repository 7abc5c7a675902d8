#include "fileops/FileOpMessages.h"

#include <cerrno>

namespace zorvane {

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

QString signedNumberText(int number) {
    if (number < 0)
        return QString::number(number); // the minus sign takes the blank's place
    return QChar(u' ') + QString::number(number);
}

MessageRequest searchRetryMessage() {
    return MessageRequest{
        QStringLiteral("ファイルの検索に失敗しました。") + CrLf +
            QStringLiteral("リムーバブルメディアの場合は状態を確認してください。"),
        QStringLiteral("検索エラー"), MessageIcon::Exclamation, MessageButtons::RetryCancel};
}

MessageRequest searchErrorMessage(int errorNumber) {
    return MessageRequest{QStringLiteral("ファイルの検索に失敗しました。") + CrLf +
                              QStringLiteral("未確認のエラーです。") +
                              signedNumberText(errorNumber) + CrLf +
                              QStringLiteral("ＯＫを押すと終了します。"),
                          QStringLiteral("検索エラー"), MessageIcon::Critical, MessageButtons::Ok};
}

MessageRequest invalidFolderMessage() {
    return MessageRequest{QStringLiteral("指定されたディレクトリ名は無効です。") + CrLf +
                              QStringLiteral("確認してください。") + CrLf +
                              QStringLiteral("ＯＫを押すと終了します。"),
                          QStringLiteral("検索エラー"), MessageIcon::Critical, MessageButtons::Ok};
}

QString folderCreationReason(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return QStringLiteral("途中のディレクトリがありません。");
    case ENOTDIR:
        return QStringLiteral("途中の名前がディレクトリではありません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みの権限がありません。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムです。");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクに空きがありません。");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます。");
    case EEXIST:
        return QStringLiteral("同じ名前のものがすでにあります。");
    case EINVAL:
    case EILSEQ:
        return QStringLiteral("名前が無効です。");
    case EMLINK:
        return QStringLiteral("ディレクトリの数が多すぎます。");
    case ELOOP:
        return QStringLiteral("リンクが循環しています。");
    case EIO:
        return QStringLiteral("入出力エラーです。");
    case ENOMEDIUM:
    case ENXIO:
    case ENODEV:
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTDOWN:
        return QStringLiteral("デバイスが応答しません。");
    default:
        return QStringLiteral("予期しないエラーです（%1）。").arg(errnoValue);
    }
}

MessageRequest folderCreationMessage(const QString& path, int errnoValue) {
    return MessageRequest{QStringLiteral("ディレクトリを作成できませんでした。") + CrLf + path +
                              CrLf + folderCreationReason(errnoValue),
                          QStringLiteral("ディレクトリ作成エラー"), MessageIcon::Critical,
                          MessageButtons::Ok};
}

MessageRequest driveNotReadyMessage() {
    return MessageRequest{
        QStringLiteral("デバイスの準備がされていません。") + CrLf +
            QStringLiteral("リムーバブルメディアの場合は状態を確認してください。"),
        QStringLiteral("ドライブエラー"), MessageIcon::Exclamation, MessageButtons::RetryCancel};
}

MessageRequest driveErrorMessage(int errorNumber) {
    return MessageRequest{QStringLiteral("エラーです。") + signedNumberText(errorNumber) + CrLf +
                              QStringLiteral("ＯＫを押してください。"),
                          QStringLiteral("ドライブエラー"), MessageIcon::Critical,
                          MessageButtons::Ok};
}

} // namespace zorvane
