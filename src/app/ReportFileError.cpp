#include "app/ReportFileError.h"

#include "platform/ErrorNumbers.h"
#include "platform/PlatformServices.h"

namespace zorvane {

namespace {

MessageRequest diskErrorBox(QString text, MessageIcon icon, MessageButtons buttons) {
    return MessageRequest{std::move(text), QStringLiteral("ディスク エラー"), icon, buttons};
}

MessageRequest exclamationYesNo(QString text) {
    return diskErrorBox(std::move(text), MessageIcon::Exclamation, MessageButtons::YesNo);
}

} // namespace

std::optional<MessageRequest> fileErrorMessage(int errorNumber) {
    switch (errorNumber) {
    case ErrBadFileNameOrNumber:
    case ErrBadFileName:
        return exclamationYesNo(QStringLiteral("ファイル名が間違っています。"));
    case ErrFileNotFound:
        return exclamationYesNo(QStringLiteral("ファイルが見みつかりません。"));
    case ErrBadFileMode:
        return exclamationYesNo(QStringLiteral("このモードではファイルを開けません。"));
    case ErrFileAlreadyOpen:
        return exclamationYesNo(QStringLiteral("ファイルは既に開かれています。"));
    case ErrDeviceIO:
        return exclamationYesNo(QStringLiteral("内部ディスク エラーが発生しました。"));
    case ErrFileAlreadyExists:
        return exclamationYesNo(QStringLiteral("既に同名のファイルが存在します。"));
    case ErrBadRecordLength:
        return exclamationYesNo(QStringLiteral("レコード長が一致しません。"));
    case ErrDiskFull:
        return diskErrorBox(QStringLiteral("ディスクがいっぱいです。処理を続けますか?"),
                            MessageIcon::Exclamation, MessageButtons::YesNoCancel);
    case ErrInputPastEnd:
        return exclamationYesNo(QStringLiteral("ファイルの EOF 記号が標準と異なります。") +
                                QStringLiteral("または、EOF 記号を越えてデータを") +
                                QStringLiteral("読み込もうとしました。"));
    case ErrDeviceUnavailable:
        return diskErrorBox(QStringLiteral("デバイスが準備されていません。"), MessageIcon::None,
                            MessageButtons::Ok);
    case ErrDiskNotReady:
        return diskErrorBox(QStringLiteral("ディスクをドライブに挿入してください。"),
                            MessageIcon::Exclamation, MessageButtons::Ok);
    case ErrPathNotFound:
        return exclamationYesNo(QStringLiteral("指定されたパスが存在しません。"));
    default:
        return std::nullopt;
    }
}

void ReportFileError(int errorNumber, QWidget* owner) {
    if (const auto request = fileErrorMessage(errorNumber))
        PlatformServices::messageBox().show(owner, *request);
}

} // namespace zorvane
