#include "app/SaveFailureMessage.h"

#include "platform/ErrorNumbers.h"
#include "platform/PlatformServices.h"
#include "platform/UpdateLockFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace zorvane {

namespace {

QString reasonText(int errorNumber) {
    switch (errorNumber) {
    case ErrPermissionDenied:
        return QStringLiteral("書き込みが許可されていません。");
    case ErrBadFileMode:
        return QStringLiteral("通常のファイルではないため書き込めません。");
    case ErrDiskFull:
        return QStringLiteral("ディスクがいっぱいです。");
    case ErrPathNotFound:
    case ErrFileNotFound:
        return QStringLiteral("フォルダーが存在しません。");
    case ErrDeviceUnavailable:
    case ErrDiskNotReady:
        return QStringLiteral("デバイスが準備されていません。");
    case ErrDeviceIO:
        return QStringLiteral("ディスクの読み書き中にエラーが発生しました。");
    case ErrBadFileName:
    case ErrBadFileNameOrNumber:
        return QStringLiteral("ファイル名が間違っています。");
    case ErrFileAlreadyOpen:
        return QStringLiteral("ファイルは他のプログラムが使用中です。");
    case ErrNone:
        return QStringLiteral("書き込み中にエラーが発生しました。");
    default:
        return QStringLiteral("書き込み中にエラーが発生しました (エラー番号 %1)。")
            .arg(errorNumber);
    }
}

int numberFromErrno(const QByteArray& path) {
    return errorNumberFromErrno(errno, path.constData());
}

} // namespace

MessageRequest saveFailureMessage(UnsavedData what, const QString& path, int errorNumber) {
    QString text;
    switch (what) {
    case UnsavedData::Settings:
        text = QStringLiteral("設定をファイルに保存できませんでした。");
        break;
    case UnsavedData::WindowPosition:
        text = QStringLiteral("ウィンドウの位置と大きさを保存できませんでした。");
        break;
    case UnsavedData::History:
        text = QStringLiteral("コピー先のディレクトリの一覧を保存できませんでした。");
        break;
    }
    text += QStringLiteral("\n\n") + path + QStringLiteral("\n") + reasonText(errorNumber);
    if (what == UnsavedData::Settings)
        text += QStringLiteral("\n\n新しい設定はこのまま使えますが、次に起動したときには") +
                QStringLiteral("以前の設定に戻ります。");
    return MessageRequest{text, QStringLiteral("保存エラー"), MessageIcon::Exclamation,
                          MessageButtons::Ok};
}

int writeFailureNumber(const QString& path) {
    if (path.isEmpty())
        return ErrBadFileNameOrNumber;
    if (updateLockHeldElsewhere(path))
        return ErrFileAlreadyOpen;
    const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    struct stat info {};
    if (::stat(file.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return ErrBadFileMode;
        if (::access(file.constData(), W_OK) != 0)
            return numberFromErrno(file);
    } else if (errno != ENOENT) {
        return numberFromErrno(file);
    }
    // The file is replaced by a new one made in its folder.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::stat(folder.constData(), &info) != 0)
        return errno == ENOENT ? ErrPathNotFound : numberFromErrno(folder);
    if (!S_ISDIR(info.st_mode))
        return ErrPathNotFound;
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return numberFromErrno(folder);
    struct statvfs space {};
    if (::statvfs(folder.constData(), &space) == 0 && space.f_bavail == 0)
        return ErrDiskFull;
    return ErrNone;
}

void reportSaveFailure(UnsavedData what, const QString& path, int errorNumber, QWidget* owner) {
    PlatformServices::messageBox().show(owner, saveFailureMessage(what, path, errorNumber));
}

} // namespace zorvane
