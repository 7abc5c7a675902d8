#include "app/SettingsLocation.h"

#include "platform/NativePath.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

bool exists(const QString& path) {
    struct stat info {};
    return ::stat(nativePath(path).constData(), &info) == 0;
}

// Makes `folder` and the missing folders above it, private to the user.
bool makeFolder(const QString& folder) {
    const QByteArray path = nativePath(folder);
    for (qsizetype at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path.at(at) != '/')
            continue;
        const QByteArray part = path.first(at);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// Writes `bytes` as the new file `path`; an existing file is left alone (another start of the
// program may have seeded it a moment ago).
void createOnce(const QString& path, const QByteArray& bytes) {
    const int descriptor =
        ::open(nativePath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return;
    bool complete = true;
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t count = ::write(descriptor, bytes.constData() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            complete = false;
            break;
        }
        done += count;
    }
    ::close(descriptor);
    if (!complete) // a cut copy would pass for the user's own file
        ::unlink(nativePath(path).constData());
}

// The whole file, or nothing when it cannot be read (missing, a folder, unreadable).
std::optional<QByteArray> readWhole(const QString& path) {
    const int descriptor = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            ::close(descriptor);
            return std::nullopt;
        }
        if (count == 0)
            break;
        bytes.append(buffer, count);
    }
    ::close(descriptor);
    return bytes;
}

} // namespace

QString settingsFolderFor(bool programFolderWritable, const QString& programFolder,
                          const QByteArray& xdgConfigHome, const QString& home) {
    if (programFolderWritable)
        return withTrailingSeparator(programFolder);
    const QString configHome = pathFromNative(xdgConfigHome);
    const QString base = configHome.startsWith(QChar(u'/'))
                             ? configHome
                             : withTrailingSeparator(home) + QStringLiteral(".config");
    return withTrailingSeparator(base) + QStringLiteral("zorvane/");
}

QString prepareSettingsFolder(const QString& programFolder) {
    const bool writable = ::access(nativePath(programFolder).constData(), W_OK) == 0;
    const QString folder = settingsFolderFor(writable, programFolder, qgetenv("XDG_CONFIG_HOME"),
                                             pathFromNative(qgetenv("HOME")).isEmpty()
                                                 ? QDir::homePath()
                                                 : pathFromNative(qgetenv("HOME")));
    if (writable || !makeFolder(folder))
        return folder;
    for (const QString& name : {QStringLiteral("plok.ini"), QStringLiteral("plok.his")}) {
        if (exists(folder + name))
            continue;
        if (const std::optional<QByteArray> seed = readWhole(programFolder + name))
            createOnce(folder + name, *seed);
        else if (name == u"plok.his")
            createOnce(folder + name, QByteArrayLiteral("\r\n").repeated(40));
    }
    return folder;
}

QString withTrailingSeparator(QString folder) {
    if (!folder.endsWith(QChar(u'/')))
        folder += QChar(u'/');
    return folder;
}

} // namespace zorvane
