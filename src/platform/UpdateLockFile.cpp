#include "platform/UpdateLockFile.h"
#include "platform/NativePath.h"

#include <QCryptographicHash>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

// A folder that is the user's alone: a real folder (no link), owned by the user, closed to
// everyone else.
bool isPrivateFolder(const QByteArray& folder) {
    struct stat info {};
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

QByteArray privateLockFolder() {
    const QByteArray uid = QByteArray::number(::geteuid());
    const QByteArray runtime = "/run/user/" + uid;
    const QByteArray inRuntime = runtime + "/zorvane";
    for (const QByteArray& folder : {inRuntime, "/tmp/zorvane-" + uid}) {
        if (folder == inRuntime && !isPrivateFolder(runtime))
            continue;
        ::mkdir(folder.constData(), 0700);
        if (isPrivateFolder(folder))
            return folder;
    }
    return {};
}

// "DEVICE-INODE-NAMEHASH.lock" of the file's folder and name, links resolved.
QByteArray lockFileName(const QString& path) {
    QByteArray file = nativePath(path);
    if (file.isEmpty() || file.contains('\0'))
        return {};
    char resolved[PATH_MAX];
    if (::realpath(file.constData(), resolved) != nullptr)
        file = resolved;
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray name = file.mid(slash + 1);
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : file.left(slash);
    struct stat info {};
    if (name.isEmpty() || ::stat(folder.constData(), &info) != 0)
        return {};
    return QByteArray::number(quint64(info.st_dev), 16) + '-' +
           QByteArray::number(quint64(info.st_ino), 16) + '-' +
           QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(16) + ".lock";
}

} // namespace

int openUpdateLockFile(const QString& path) {
    const QByteArray name = lockFileName(path);
    const QByteArray folder = name.isEmpty() ? QByteArray() : privateLockFolder();
    if (folder.isEmpty())
        return -1;
    return ::open((folder + '/' + name).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
}

bool updateLockHeldElsewhere(const QString& path) {
    const int descriptor = openUpdateLockFile(path);
    if (descriptor < 0)
        return false;
    const bool held = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(descriptor); // releases what it took
    return held;
}

} // namespace zorvane
