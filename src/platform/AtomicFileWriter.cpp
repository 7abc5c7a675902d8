#include "platform/AtomicFileWriter.h"

#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

mode_t creationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool writeAll(int descriptor, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(descriptor, data, static_cast<size_t>(left));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += count;
        left -= count;
    }
    return true;
}

} // namespace

int AtomicFileWriter::replace(const QString& path, QByteArrayView bytes) {
    if (path.isEmpty())
        return ErrBadFileNameOrNumber;
    QString target = QFileInfo(path).absoluteFilePath();
    // Follow symbolic links so the link stays and the file it names gets the new content.
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    const QByteArray targetName = nativePath(target);

    mode_t mode = creationMode();
    uid_t owner = 0;
    gid_t group = 0;
    bool existed = false;
    struct stat info {};
    if (::stat(targetName.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return ErrBadFileMode;
        if (!S_ISREG(info.st_mode))
            return ErrBadFileMode; // never replace a FIFO, socket or device by a file
        // A file the user made read-only stays as it is, as writing it in place would.
        if (::access(targetName.constData(), W_OK) != 0)
            return errorNumberFromErrno(errno, targetName.constData());
        mode = info.st_mode & 07777;
        owner = info.st_uid;
        group = info.st_gid;
        existed = true;
    } else if (errno != ENOENT) {
        return errorNumberFromErrno(errno, targetName.constData());
    }

    const QFileInfo targetInfo(target);
    QByteArray temporary =
        nativePath(targetInfo.absolutePath() + QLatin1Char('/') + QLatin1Char('.') +
                   targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0)
        return errorNumberFromErrno(errno, targetName.constData());

    auto fail = [&](int errnoValue) {
        ::close(descriptor);
        ::unlink(temporary.constData());
        return errorNumberFromErrno(errnoValue, targetName.constData());
    };
    if (!writeAll(descriptor, bytes))
        return fail(errno);
    // The old file's owner and group where the user may keep them.
    if (existed && ::fchown(descriptor, owner, group) != 0 && errno != EPERM)
        return fail(errno);
    if (::fchmod(descriptor, mode) != 0 && errno != EPERM)
        return fail(errno);
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        return fail(errno);
    if (::close(descriptor) != 0) {
        const int closeErrno = errno;
        ::unlink(temporary.constData());
        return errorNumberFromErrno(closeErrno, targetName.constData());
    }
    if (::rename(temporary.constData(), targetName.constData()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.constData());
        return errorNumberFromErrno(renameErrno, targetName.constData());
    }
    return ErrNone;
}

} // namespace zorvane
