#include "fileops/DestinationFolder.h"

#include "fileops/FileOpMessages.h"
#include "platform/BeepService.h"
#include "platform/ErrorNumbers.h"
#include "platform/MessageBoxService.h"
#include "platform/NativePath.h"
#include "platform/PlatformServices.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace zorvane {

QString resolveDestinationText(const QString& text, const QString& targetPath,
                               const QString& homeFolder) {
    // A box left holding blanks is an empty box, not a folder named with blanks beside the file.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); }))
        return {};
    if (text == QStringLiteral("~") || text.startsWith(QStringLiteral("~/")))
        return homeFolder + text.mid(1);
    if (text.startsWith(QChar(u'/')))
        return text;
    const qsizetype slash = targetPath.lastIndexOf(QChar(u'/'));
    return targetPath.left(slash + 1) + text;
}

int destinationLookupErrorNumber(int errnoValue, const char* path) {
    switch (errnoValue) {
    case ENOMEDIUM:
    case ENXIO:
    case ENODEV:
    case EIO:
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTDOWN:
        return ErrBadFileNameOrNumber;
    default:
        return errorNumberFromErrno(errnoValue, path);
    }
}

DestinationLookup lookUpDestination(const QString& path) {
    const QByteArray native = nativePath(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0) {
        const int error = errno;
        if (error == ENOENT)
            return {};
        if (error == ENOTDIR) {
            // "memo.txt/" names a file with a slash after it: that file is in the way.
            QByteArray bare = native;
            while (bare.size() > 1 && bare.endsWith('/'))
                bare.chop(1);
            if (bare.size() != native.size() && ::lstat(bare.constData(), &status) == 0 &&
                !S_ISDIR(status.st_mode) && !S_ISLNK(status.st_mode))
                return {DestinationLookup::Found::Other, 0};
            return {};
        }
        return {DestinationLookup::Found::Nothing,
                destinationLookupErrorNumber(error, native.constData())};
    }
    if (S_ISDIR(status.st_mode))
        return {DestinationLookup::Found::Folder, 0};
    if (!S_ISLNK(status.st_mode))
        return {DestinationLookup::Found::Other, 0};
    struct stat target {};
    if (::stat(native.constData(), &target) == 0)
        return {S_ISDIR(target.st_mode) ? DestinationLookup::Found::Folder
                                        : DestinationLookup::Found::Other,
                0};
    const int error = errno;
    if (error == ENOENT || error == ELOOP || error == ENOTDIR)
        return {DestinationLookup::Found::Other, 0}; // a dangling or looping link
    return {DestinationLookup::Found::Other,
            destinationLookupErrorNumber(error, native.constData())};
}

qint16 CheckDestDir(const QString& path, const DestinationProbe& probe, QWidget* owner) {
    for (;;) {
        const DestinationLookup lookup = probe(path);
        if (lookup.errorNumber == 0) {
            switch (lookup.found) {
            case DestinationLookup::Found::Nothing:
                return DestNothing;
            case DestinationLookup::Found::Folder:
                return DestFolder;
            case DestinationLookup::Found::Other:
                return DestNotFolder;
            }
        }
        PlatformServices::beep().beep();
        if (lookup.errorNumber != ErrBadFileNameOrNumber) {
            PlatformServices::messageBox().show(owner, searchErrorMessage(lookup.errorNumber));
            return DestGaveUp;
        }
        if (PlatformServices::messageBox().show(owner, searchRetryMessage()) !=
            MessageAnswer::Retry)
            return DestGaveUp;
    }
}

int createDestinationFolder(const QString& path) {
    const QByteArray native = nativePath(path);
    if (::mkdir(native.constData(), 0777) != 0)
        return errno;
    return 0;
}

} // namespace zorvane
