#include "fileservice/ShellMessages.h"

#include "platform/NativePath.h"
#include "platform/ShellFileOperation.h"

#include "platform/GioLibrary.h"

namespace zorvane {

namespace {

const QString lineBreak = QStringLiteral("\r\n");

QString quoted(const QString& text) {
    return QStringLiteral("「") + text + QStringLiteral("」");
}

// "「name」をコピー" and its kin: what failed, for the failure message.
QString failedAction(quint32 function, const QString& name) {
    switch (function) {
    case FO_COPY:
        return quoted(name) + QStringLiteral("をコピーできませんでした。");
    case FO_MOVE:
        return quoted(name) + QStringLiteral("を移動できませんでした。");
    case FO_RENAME:
        return quoted(name) + QStringLiteral("の名前を変更できませんでした。");
    case FO_DELETE:
        return quoted(name) + QStringLiteral("を削除できませんでした。");
    default:
        return quoted(name) + QStringLiteral("を処理できませんでした。");
    }
}

// The name a message shows for a path: its last name, or the whole path where it ends in "/"
// (a folder given as "dir/" has no last name of its own).
QString displayName(const QString& path) {
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    const QString name = shellFileName(trimmed);
    return name.isEmpty() ? trimmed : name;
}

MessageRequest stopBox(quint32 function, QString text) {
    return MessageRequest{std::move(text), shellTitle(function), MessageIcon::Critical,
                          MessageButtons::Ok};
}

MessageRequest exclamationBox(quint32 function, QString text) {
    return MessageRequest{std::move(text), shellTitle(function), MessageIcon::Exclamation,
                          MessageButtons::Ok};
}

MessageRequest questionBox(quint32 function, QString text, MessageIcon icon) {
    return MessageRequest{std::move(text), shellTitle(function), icon, MessageButtons::YesNo};
}

} // namespace

QString shellTitle(quint32 function) {
    switch (function) {
    case FO_COPY:
        return QStringLiteral("ファイルのコピー");
    case FO_MOVE:
        return QStringLiteral("ファイルの移動");
    case FO_RENAME:
        return QStringLiteral("名前の変更");
    case FO_DELETE:
        return QStringLiteral("ファイルの削除");
    default:
        return QStringLiteral("ファイル操作");
    }
}

QString shellProgressText(quint32 function, const QString& source) {
    const QString name = quoted(shellFileName(source));
    return function == FO_MOVE ? name + QStringLiteral("を移動しています…")
                               : name + QStringLiteral("をコピーしています…");
}

QString shellErrorReason(int gioError) {
    switch (gioError) {
    case G_IO_ERROR_NOT_FOUND:
        return QStringLiteral("ファイルまたはフォルダーが見つかりません。");
    case G_IO_ERROR_EXISTS:
        return QStringLiteral("同じ名前のファイルが既にあります。");
    case G_IO_ERROR_IS_DIRECTORY:
        return QStringLiteral("フォルダーにはこの操作を行えません。");
    case G_IO_ERROR_NOT_DIRECTORY:
        return QStringLiteral("パスの途中にフォルダーでないものがあります。");
    case G_IO_ERROR_NOT_EMPTY:
        return QStringLiteral("フォルダーが空ではありません。");
    case G_IO_ERROR_NOT_REGULAR_FILE:
        return QStringLiteral("通常のファイルではありません。");
    case G_IO_ERROR_FILENAME_TOO_LONG:
        return QStringLiteral("名前が長すぎます。");
    case G_IO_ERROR_INVALID_FILENAME:
        return QStringLiteral("名前に使えない文字が含まれています。");
    case G_IO_ERROR_TOO_MANY_LINKS:
        return QStringLiteral("シンボリックリンクが多すぎるか、循環しています。");
    case G_IO_ERROR_NO_SPACE:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case G_IO_ERROR_PERMISSION_DENIED:
        return QStringLiteral("アクセスが許可されていません。");
    case G_IO_ERROR_READ_ONLY:
        return QStringLiteral("書き込みできない場所です。");
    case G_IO_ERROR_BUSY:
        return QStringLiteral("ファイルが使用中です。");
    case G_IO_ERROR_NOT_SUPPORTED:
        return QStringLiteral("この場所ではこの操作を行えません。");
    case G_IO_ERROR_NOT_MOUNTED:
    case G_IO_ERROR_HOST_NOT_FOUND:
    case G_IO_ERROR_HOST_UNREACHABLE:
    case G_IO_ERROR_NETWORK_UNREACHABLE:
        return QStringLiteral("ドライブまたはメディアを使用できません。");
    case G_IO_ERROR_CANCELLED:
        return QStringLiteral("操作は取り消されました。");
    default:
        return QStringLiteral("予期しないエラーが発生しました。");
    }
}

MessageRequest shellReplaceQuestion(quint32 function, const QString& destination) {
    // Each name on a line of its own, so neither is broken to fit the other.
    return questionBox(function,
                       QStringLiteral("フォルダー") + quoted(shellFolderPart(destination)) +
                           QStringLiteral("には、") + lineBreak +
                           QStringLiteral("同じ名前のファイル") +
                           quoted(shellFileName(destination)) + QStringLiteral("が既にあります。") +
                           lineBreak + QStringLiteral("このファイルを置き換えますか？"),
                       MessageIcon::Question);
}

MessageRequest shellDeleteQuestion(const QString& path, bool toTrash) {
    const QString name = quoted(shellFileName(path));
    if (toTrash)
        return questionBox(FO_DELETE, name + QStringLiteral("をごみ箱に移しますか？"),
                           MessageIcon::Question);
    return questionBox(FO_DELETE,
                       name + QStringLiteral("を完全に削除しますか？") + lineBreak +
                           QStringLiteral("削除したファイルは元に戻せません。"),
                       MessageIcon::Exclamation);
}

MessageRequest shellNoTrashQuestion(const QString& path) {
    return questionBox(FO_DELETE,
                       quoted(shellFileName(path)) +
                           QStringLiteral("のある場所にはごみ箱がないため、ごみ箱に移せません。") +
                           lineBreak + QStringLiteral("このファイルを完全に削除しますか？") +
                           lineBreak + QStringLiteral("削除したファイルは元に戻せません。"),
                       MessageIcon::Exclamation);
}

MessageRequest shellFailureMessage(quint32 function, const QString& path, int gioError) {
    return stopBox(function, failedAction(function, shellFileName(path)) + lineBreak +
                                 shellErrorReason(gioError));
}

MessageRequest shellSameFileMessage(quint32 function, const QString& path) {
    const QString what =
        function == FO_MOVE ? QStringLiteral("移動先") : QStringLiteral("コピー先");
    return exclamationBox(function, failedAction(function, shellFileName(path)) + lineBreak + what +
                                        QStringLiteral("が元のファイルと同じです。") + lineBreak +
                                        QStringLiteral("別のフォルダーを指定してください。"));
}

MessageRequest shellFolderInTheWayMessage(quint32 function, const QString& destination) {
    return stopBox(function, failedAction(function, shellFileName(destination)) + lineBreak +
                                 QStringLiteral("同じ名前のフォルダー") + quoted(destination) +
                                 QStringLiteral("があるため、置き換えられません。"));
}

MessageRequest shellNotAFileMessage(quint32 function, const QString& path) {
    return stopBox(function,
                   failedAction(function, displayName(path)) + lineBreak +
                       QStringLiteral("通常のファイルではありません。") + lineBreak +
                       QStringLiteral("フォルダーなど、ファイル以外のものは扱えません。"));
}

MessageRequest shellMissingFolderMessage(quint32 function, const QString& folder) {
    const QString what =
        function == FO_MOVE ? QStringLiteral("移動先") : QStringLiteral("コピー先");
    return stopBox(function, what + QStringLiteral("のフォルダー") + quoted(folder) +
                                 QStringLiteral("が見つかりません。"));
}

MessageRequest shellNotAFolderMessage(quint32 function, const QString& destination) {
    const QString what =
        function == FO_MOVE ? QStringLiteral("移動先") : QStringLiteral("コピー先");
    return stopBox(function, what + QStringLiteral("の") + quoted(destination) +
                                 QStringLiteral("はフォルダーではありません。"));
}

MessageRequest shellMissingPathMessage(quint32 function) {
    return stopBox(function, QStringLiteral("ファイル名が指定されていません。"));
}

MessageRequest shellNameTakenMessage(const QString& newFullPath) {
    return exclamationBox(FO_RENAME, quoted(shellFileName(newFullPath)) +
                                         QStringLiteral("という名前は既に使われています。") +
                                         lineBreak +
                                         QStringLiteral("別の名前を指定してください。"));
}

MessageRequest shellBadNewNameMessage(RenameTargetProblem problem, const QString& newFullPath) {
    QString text;
    switch (problem) {
    case RenameTargetProblem::EmptyName:
        text = QStringLiteral("新しい名前が入力されていません。");
        break;
    case RenameTargetProblem::NamesFolder:
        text = quoted(shellFileName(newFullPath)) +
               QStringLiteral("はフォルダーを表すため、ファイルの名前には使えません。");
        break;
    case RenameTargetProblem::OtherFolder:
        text = QStringLiteral("新しい名前に「/」は使えません。") + lineBreak +
               QStringLiteral("名前の変更では、ファイルを別のフォルダーに移せません。");
        break;
    case RenameTargetProblem::BadCharacter:
    case RenameTargetProblem::None:
        text = shellErrorReason(G_IO_ERROR_INVALID_FILENAME);
        break;
    }
    return exclamationBox(FO_RENAME,
                          text + lineBreak + QStringLiteral("別の名前を指定してください。"));
}

MessageRequest shellSourceLeftBehindMessage(const QString& source, int gioError) {
    return stopBox(FO_MOVE, quoted(shellFileName(source)) +
                                QStringLiteral("は移動先にコピーされましたが、") +
                                QStringLiteral("元のファイルを削除できませんでした。") + lineBreak +
                                shellErrorReason(gioError));
}

MessageRequest shellUnfinishedCopyLeftMessage(quint32 function, const QString& unfinished) {
    return exclamationBox(function, QStringLiteral("中止したコピーの途中までのファイルを") +
                                        QStringLiteral("削除できませんでした。") + lineBreak +
                                        displayPath(unfinished));
}

MessageRequest shellSourceChangedMessage(const QString& source) {
    return stopBox(FO_MOVE, quoted(shellFileName(source)) +
                                QStringLiteral("は移動先にコピーされましたが、") +
                                QStringLiteral("元のファイルを削除できませんでした。") + lineBreak +
                                QStringLiteral("コピーの途中で元のファイルが変更されたため、") +
                                QStringLiteral("両方のファイルを残しました。"));
}

MessageRequest shellChangedWhileCopiedMessage(const QString& source) {
    return exclamationBox(
        FO_COPY, quoted(shellFileName(source)) + QStringLiteral("はコピーされましたが、") +
                     QStringLiteral("コピーの途中で元のファイルが変更されました。") + lineBreak +
                     QStringLiteral("コピーには変更の途中の内容が含まれている") +
                     QStringLiteral("ことがあります。"));
}

MessageRequest shellPermissionsNarrowedMessage(quint32 function, const QString& destination) {
    return MessageRequest{
        quoted(shellFileName(destination)) + QStringLiteral("のアクセス制御リスト（ACL）は") +
            quoted(shellFolderPart(destination)) + QStringLiteral("に保存できませんでした。") +
            lineBreak + QStringLiteral("元のファイルより広く読み書きされないよう、") +
            QStringLiteral("所有者以外のアクセス権を外しました。"),
        shellTitle(function), MessageIcon::Information, MessageButtons::Ok};
}

MessageRequest shellUnknownOperationMessage(quint32 function) {
    return stopBox(function, QStringLiteral("このファイル操作には対応していません。"));
}

} // namespace zorvane
