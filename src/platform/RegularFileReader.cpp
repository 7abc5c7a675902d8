#include "platform/RegularFileReader.h"

#include "platform/ErrorNumbers.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

RegularFileReader::RegularFileReader(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) {
        error_ = ErrBadFileNameOrNumber;
        return;
    }
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        error_ = errorNumberFromErrno(errno, name.constData());
        return;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0) {
        error_ = errorNumberFromErrno(errno, name.constData());
        ::close(descriptor);
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        error_ = ErrBadFileMode;
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
        error_ = errorNumberFromErrno(errno);
        return -1;
    }
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
    QByteArray bytes;
    constexpr qint64 Chunk = 64 * 1024;
    for (;;) {
        const qint64 room = limit - bytes.size();
        if (room <= 0) {
            if (truncated != nullptr) {
                char probe = 0;
                *truncated = reader.read(&probe, 1) > 0;
            }
            break;
        }
        const qint64 want = room < Chunk ? room : Chunk;
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
    *error = 0;
    return bytes;
}

} // namespace zorvane
