#include "platform/ErrorNumbers.h"

#include <QByteArray>

#include <cerrno>
#include <sys/stat.h>

namespace zorvane {

namespace {

// Whether the folder that would hold the last name of `path` exists. A relative name without
// a folder part lives in the working folder.
bool containingFolderExists(const char* path) {
    QByteArray folder(path);
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash < 0)
        folder = QByteArrayLiteral(".");
    else
        folder.truncate(slash == 0 ? 1 : slash);
    struct stat info {};
    return ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

int errorNumberFromErrno(int errnoValue, const char* path) {
    switch (errnoValue) {
    case 0:
        return ErrNone;
    case ENOENT:
        if (path == nullptr)
            return ErrFileNotFound;
        if (*path == '\0')
            return ErrBadFileNameOrNumber;
        return containingFolderExists(path) ? ErrFileNotFound : ErrPathNotFound;
    case ENOTDIR:
    case ELOOP:
        return ErrPathNotFound;
    case ENAMETOOLONG:
        return ErrBadFileName;
    case EINVAL:
    case EILSEQ:
    case EBADF:
        return ErrBadFileNameOrNumber;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
        return ErrFileAlreadyOpen;
    case EIO:
    case EINTR:
        return ErrDeviceIO;
    case EEXIST:
    case ENOTEMPTY:
        return ErrFileAlreadyExists;
    case ENOSPC:
    case EDQUOT:
        return ErrDiskFull;
    case ENXIO:
    case ENODEV:
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
        return ErrDeviceUnavailable;
    case ENOMEDIUM:
        return ErrDiskNotReady;
    case EISDIR:
        return ErrBadFileMode;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrPermissionDenied;
    case EMFILE:
    case ENFILE:
        return ErrTooManyFiles;
    case ENOMEM:
        return ErrOutOfMemory;
    default:
        return ErrPathFileAccess;
    }
}

} // namespace zorvane
