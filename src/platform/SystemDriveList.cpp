#include "platform/SystemDriveList.h"

#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <dirent.h>

namespace zorvane {

namespace {

// Mount points escape blank, tab, line feed and backslash as \ooo.
QString unescapeMountField(const QByteArray& field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3) {
                bytes.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        bytes.append(field.at(i));
    }
    return QString::fromUtf8(bytes);
}

bool underFolder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QChar(u'/'));
}

bool isSystemFolder(const QString& mountPoint) {
    static const char16_t* const folders[] = {u"/proc", u"/sys",     u"/dev",      u"/boot",
                                              u"/snap", u"/var/lib", u"/var/snap", u"/etc"};
    if (underFolder(mountPoint, QStringLiteral("/run")))
        return !underFolder(mountPoint, QStringLiteral("/run/media"));
    for (const char16_t* folder : folders) {
        if (underFolder(mountPoint, QString::fromUtf16(folder)))
            return true;
    }
    return false;
}

bool isPseudoFileSystem(const QString& type) {
    static const QSet<QString> types = {QStringLiteral("proc"),
                                        QStringLiteral("sysfs"),
                                        QStringLiteral("devtmpfs"),
                                        QStringLiteral("devpts"),
                                        QStringLiteral("cgroup"),
                                        QStringLiteral("cgroup2"),
                                        QStringLiteral("securityfs"),
                                        QStringLiteral("pstore"),
                                        QStringLiteral("debugfs"),
                                        QStringLiteral("tracefs"),
                                        QStringLiteral("configfs"),
                                        QStringLiteral("fusectl"),
                                        QStringLiteral("mqueue"),
                                        QStringLiteral("hugetlbfs"),
                                        QStringLiteral("bpf"),
                                        QStringLiteral("binfmt_misc"),
                                        QStringLiteral("autofs"),
                                        QStringLiteral("rpc_pipefs"),
                                        QStringLiteral("nsfs"),
                                        QStringLiteral("efivarfs"),
                                        QStringLiteral("selinuxfs"),
                                        QStringLiteral("squashfs"),
                                        QStringLiteral("ramfs"),
                                        QStringLiteral("nfsd"),
                                        QStringLiteral("fuse.gvfsd-fuse"),
                                        QStringLiteral("fuse.portal")};
    return types.contains(type);
}

bool isMemoryFileSystem(const QString& type) {
    return type == QStringLiteral("tmpfs");
}

bool isNetworkFileSystem(const QString& type) {
    static const QSet<QString> types = {QStringLiteral("nfs"),   QStringLiteral("nfs4"),
                                        QStringLiteral("cifs"),  QStringLiteral("smb3"),
                                        QStringLiteral("smbfs"), QStringLiteral("fuse.sshfs"),
                                        QStringLiteral("sshfs"), QStringLiteral("9p"),
                                        QStringLiteral("davfs"), QStringLiteral("fuse.rclone")};
    return types.contains(type);
}

} // namespace

QList<DriveEntry> SystemDriveList::drivesFromMountInfo(const QByteArray& mountInfo,
                                                       const QHash<QString, QString>& labels) {
    QList<DriveEntry> found;
    for (const QByteArray& line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf(QByteArrayLiteral("-"));
        if (fields.size() < 5 || separator < 6 || separator + 2 >= fields.size())
            continue;
        const QString mountPoint = unescapeMountField(fields.at(4));
        const QString type = QString::fromUtf8(fields.at(separator + 1));
        const QString source = unescapeMountField(fields.at(separator + 2));
        if (!mountPoint.startsWith(QChar(u'/')) || isPseudoFileSystem(type) ||
            isSystemFolder(mountPoint))
            continue;
        if (isMemoryFileSystem(type) && !underFolder(mountPoint, QStringLiteral("/media")) &&
            !underFolder(mountPoint, QStringLiteral("/run/media")))
            continue;
        QString label = labels.value(source);
        if (label.isEmpty() && isNetworkFileSystem(type))
            label = source;
        // A later mount on the same folder hides the earlier one.
        found.removeIf([&](const DriveEntry& entry) { return entry.mountPoint == mountPoint; });
        found.append(DriveEntry{mountPoint, label});
    }
    if (std::none_of(found.cbegin(), found.cend(), [](const DriveEntry& entry) {
            return entry.mountPoint == QStringLiteral("/");
        }))
        found.append(DriveEntry{QStringLiteral("/"), QString()});
    std::sort(found.begin(), found.end(), [](const DriveEntry& a, const DriveEntry& b) {
        if ((a.mountPoint == QStringLiteral("/")) != (b.mountPoint == QStringLiteral("/")))
            return a.mountPoint == QStringLiteral("/");
        return a.mountPoint < b.mountPoint;
    });
    return found;
}

QHash<QString, QString> SystemDriveList::deviceLabels() {
    QHash<QString, QString> labels;
    QDirIterator it(QStringLiteral("/dev/disk/by-label"), QDir::Files | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString device = it.fileInfo().canonicalFilePath();
        if (device.isEmpty())
            continue;
        // udev writes a blank and other special characters of a label as \xHH.
        QByteArray label = it.fileName().toUtf8();
        QByteArray decoded;
        for (qsizetype i = 0; i < label.size(); ++i) {
            if (label.at(i) == '\\' && i + 3 < label.size() && label.at(i + 1) == 'x') {
                bool ok = false;
                const int value = label.mid(i + 2, 2).toInt(&ok, 16);
                if (ok) {
                    decoded.append(static_cast<char>(value));
                    i += 3;
                    continue;
                }
            }
            decoded.append(label.at(i));
        }
        labels.insert(device, QString::fromUtf8(decoded));
    }
    return labels;
}

QList<DriveEntry> SystemDriveList::drives() {
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    QByteArray text;
    if (mounts.open(QIODevice::ReadOnly))
        text = mounts.readAll();
    return drivesFromMountInfo(text, deviceLabels());
}

int SystemDriveList::checkReady(const QString& mountPoint) {
    const QByteArray path = nativePath(mountPoint);
    DIR* folder = ::opendir(path.constData());
    if (folder) {
        ::closedir(folder);
        return 0;
    }
    const int error = errno;
    if (error == ENOENT)
        return ErrDiskNotReady; // the medium and its folder are gone
    return errorNumberFromErrno(error, path.constData());
}

} // namespace zorvane
