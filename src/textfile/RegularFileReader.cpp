#include "textfile/RegularFileReader.h"

#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

RegularFileReader::RegularFileReader(const QString& path) {
    const QByteArray name = nativePath(path);
    // A NUL would silently end the name early and open another file.
    if (name.isEmpty() || name.contains('\0')) {
        error_ = ErrBadFileNameOrNumber;
        return;
    }
    // Look before opening: opening a device or a FIFO can block or act on the device.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        error_ = errorNumberFromErrno(errno, name.constData());
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        error_ = ErrBadFileMode;
        return;
    }
    // The name may have been replaced since the look: open without blocking and look again at
    // what was really opened.
    int descriptor = -1;
    do {
        descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        error_ = errorNumberFromErrno(errno, name.constData());
        return;
    }
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        error_ = ErrBadFileMode;
        ::close(descriptor);
        return;
    }
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags == -1 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        error_ = ErrDeviceIO;
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
}

RegularFileReader::~RegularFileReader() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

qint64 RegularFileReader::read(char* data, qint64 maxBytes) {
    if (descriptor_ < 0)
        return -1;
    for (;;) {
        const ssize_t count = ::read(descriptor_, data, static_cast<size_t>(maxBytes));
        if (count >= 0)
            return count;
        if (errno == EINTR)
            continue;
        error_ = ErrDeviceIO; // whatever went wrong, it went wrong after a good open
        return -1;
    }
}

qint64 RegularFileReader::seek(qint64 offset, int whence) {
    if (descriptor_ < 0)
        return -1;
    const off_t position = ::lseek(descriptor_, offset, whence);
    if (position < 0) {
        error_ = ErrDeviceIO;
        return -1;
    }
    return position;
}

QByteArray RegularFileReader::readHead(const QString& path, qint64 limit, int* error,
                                       bool* truncated) {
    if (truncated != nullptr)
        *truncated = false;
    RegularFileReader reader(path);
    if (!reader.isOpen()) {
        *error = reader.error();
        return {};
    }
    // One byte beyond the limit tells whether the file goes on.
    const qint64 wanted = limit + (truncated != nullptr ? 1 : 0);
    QByteArray bytes;
    constexpr qint64 Chunk = 64 * 1024;
    while (bytes.size() < wanted) {
        const qint64 want = qMin(wanted - bytes.size(), Chunk);
        const qsizetype old = bytes.size();
        bytes.resize(old + want);
        const qint64 count = reader.read(bytes.data() + old, want);
        if (count < 0) {
            *error = reader.error();
            return {};
        }
        bytes.resize(old + count);
        if (count == 0)
            break;
    }
    if (bytes.size() > limit) {
        *truncated = true;
        bytes.truncate(limit);
    }
    *error = 0;
    return bytes;
}

} // namespace zorvane
