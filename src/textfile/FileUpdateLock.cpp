#include "textfile/FileUpdateLock.h"
#include "platform/NativePath.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

FileUpdateLock::FileUpdateLock(const QString& path) {
    const QByteArray name = nativePath(path);
    if (name.isEmpty() || name.contains('\0'))
        return;
    // A writer that held the lock may have renamed a new file onto the name meanwhile: the
    // lock counts only while the name still leads to the locked file.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        constexpr int Flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
        int descriptor = ::open(name.constData(), Flags);
        bool created = false;
        if (descriptor < 0 && errno == ENOENT) {
            descriptor = ::open(name.constData(), Flags | O_CREAT | O_EXCL, 0666);
            created = descriptor >= 0;
            if (descriptor < 0 && errno == EEXIST)
                continue; // another writer made it meanwhile: lock theirs
        }
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
        if (result != 0) {
            ::close(descriptor); // a file system without locks: write as before
            return;
        }
        struct stat named {};
        if (::stat(name.constData(), &named) == 0 && named.st_dev == locked.st_dev &&
            named.st_ino == locked.st_ino) {
            descriptor_ = descriptor;
            if (created)
                createdName_ = name;
            return;
        }
        ::close(descriptor);
    }
}

FileUpdateLock::~FileUpdateLock() {
    if (descriptor_ < 0)
        return;
    // The empty file made for the lock goes again unless a write replaced it: a failed first
    // write leaves no file behind, as it would without the lock.
    struct stat locked {};
    struct stat named {};
    if (!createdName_.isEmpty() && ::fstat(descriptor_, &locked) == 0 &&
        ::stat(createdName_.constData(), &named) == 0 && named.st_dev == locked.st_dev &&
        named.st_ino == locked.st_ino && named.st_size == 0)
        ::unlink(createdName_.constData());
    ::close(descriptor_); // closing the last descriptor releases the lock
}

} // namespace zorvane
