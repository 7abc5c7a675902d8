#include "platform/NativeDirectory.h"

#include "platform/NativePath.h"

#include <QDir>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace zorvane {

QList<NativeDirectoryEntry> readNativeDirectory(const QString& folder) {
    QList<NativeDirectoryEntry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(nativePath(folder).constData()),
                                                  &::closedir);
    if (!dir)
        return entries;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        NativeDirectoryEntry listed;
        listed.name = pathFromNative(QByteArrayView(name));
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat info {};
            if (::fstatat(dirFd, name, &info, 0) == 0)
                type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
            else
                type = DT_UNKNOWN; // a dangling link
        }
        listed.isFolder = type == DT_DIR;
        listed.isRegularFile = type == DT_REG;
        entries.append(std::move(listed));
    }
    return entries;
}

bool isNativeDirectory(const QString& path) {
    struct stat info {};
    return ::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool nativePathExists(const QString& path) {
    struct stat info {};
    return ::lstat(nativePath(path).constData(), &info) == 0;
}

QString nativeCurrentFolder() {
    QByteArray buffer(4096, '\0');
    while (::getcwd(buffer.data(), static_cast<size_t>(buffer.size())) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1 << 20))
            return QDir::cleanPath(QDir::currentPath());
        buffer.resize(buffer.size() * 2);
    }
    return QDir::cleanPath(pathFromNative(QByteArrayView(buffer.constData())));
}

QString absoluteNativePath(const QString& path) {
    // QDir::cleanPath works on the text alone; the escaped bytes pass through unchanged.
    if (path.startsWith(QChar(u'/')))
        return QDir::cleanPath(path);
    return QDir::cleanPath(nativeCurrentFolder() + QChar(u'/') + path);
}

} // namespace zorvane
