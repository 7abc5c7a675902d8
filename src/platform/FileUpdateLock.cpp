#include "platform/FileUpdateLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

FileUpdateLock::FileUpdateLock(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0'))
        return;
    // A writer that held the lock may have renamed a new file onto the name meanwhile: the
    // lock counts only while the name still leads to the locked file.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int descriptor =
            ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
        if (descriptor < 0)
            return;
        struct stat locked {};
        if (::fstat(descriptor, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            ::close(descriptor);
            return;
        }
        int result = 0;
        do {
            result = ::flock(descriptor, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        struct stat named {};
        if (result != 0) {
            ::close(descriptor); // a file system without locks: write as before
            return;
        }
        if (::stat(name.constData(), &named) == 0 && named.st_dev == locked.st_dev &&
            named.st_ino == locked.st_ino) {
            descriptor_ = descriptor;
            return;
        }
        ::close(descriptor);
    }
}

FileUpdateLock::~FileUpdateLock() {
    if (descriptor_ >= 0)
        ::close(descriptor_); // closing the last descriptor releases the lock
}

} // namespace zorvane
