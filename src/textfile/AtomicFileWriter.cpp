#include "textfile/AtomicFileWriter.h"

#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"
#include "platform/UnfinishedFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
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
    const QString folder = targetInfo.absolutePath();
    // Unnamed until complete: a program killed while writing leaves nothing behind.
    UnfinishedFile temporary(folder, QLatin1Char('.') + targetInfo.fileName() + QLatin1Char('.'));
    if (!temporary.isOpen())
        return errorNumberFromErrno(temporary.error(), targetName.constData());
    const int descriptor = temporary.descriptor();

    auto fail = [&](int errnoValue) {
        return errorNumberFromErrno(errnoValue, targetName.constData());
    };
    if (!writeAll(descriptor, bytes))
        return fail(errno);
    // The old file's owner and group where the user may keep them; a member of the file's
    // group who may not give the file to its owner still keeps the group, so that the other
    // members can go on writing it.
    if (existed && ::fchown(descriptor, owner, group) != 0) {
        if (errno != EPERM)
            return fail(errno);
        if (::fchown(descriptor, static_cast<uid_t>(-1), group) != 0 && errno != EPERM)
            return fail(errno);
    }
    if (::fchmod(descriptor, mode) != 0 && errno != EPERM)
        return fail(errno);
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        return fail(errno);
    if (const int error = temporary.placeAt(targetName, true); error != 0)
        return fail(error);
    return ErrNone;
}

} // namespace zorvane
