#include "mainwindow/PreviewHead.h"

#include "platform/ErrorNumbers.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

// Closes the descriptor when the reading is over, whichever way it ends.
class DescriptorCloser {
public:
    explicit DescriptorCloser(int fd) : fd_(fd) {}
    ~DescriptorCloser() { ::close(fd_); }
    DescriptorCloser(const DescriptorCloser&) = delete;
    DescriptorCloser& operator=(const DescriptorCloser&) = delete;

private:
    int fd_;
};

PreviewHead failed(int errorNumber) {
    PreviewHead head;
    head.errorNumber = errorNumber;
    return head;
}

} // namespace

PreviewHead readPreviewHead(const QString& path, qsizetype byteBound) {
    const QByteArray name = QFile::encodeName(path);
    // A NUL would silently end the name early and open another file.
    if (name.isEmpty() || name.contains('\0'))
        return failed(ErrBadFileNameOrNumber);

    // Look before opening: opening a device or a FIFO can block or act on the device.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return failed(errorNumberFromErrno(errno, name.constData()));
    if (!S_ISREG(info.st_mode))
        return failed(ErrBadFileMode);

    // The name may have been replaced since the look: open without blocking and look again at
    // what was really opened.
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failed(errorNumberFromErrno(errno, name.constData()));
    const DescriptorCloser closer(fd);

    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return failed(ErrBadFileMode);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
        return failed(ErrDeviceIO);

    // One byte beyond the bound tells whether the file goes on.
    const qsizetype wanted = qMax<qsizetype>(byteBound, 0) + 1;
    PreviewHead head;
    head.bytes.resize(wanted);
    qsizetype filled = 0;
    while (filled < wanted) {
        const ssize_t got = ::read(fd, head.bytes.data() + filled, size_t(wanted - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failed(ErrDeviceIO);
        }
        if (got == 0)
            break;
        filled += got;
    }
    head.wholeFile = filled < wanted;
    head.bytes.truncate(qMin(filled, wanted - 1));
    return head;
}

} // namespace zorvane
