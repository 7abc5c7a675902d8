#include "platform/SystemDriveList.h"

#include <QDir>

namespace zorvane {

QList<DriveEntry> SystemDriveList::drives() { return {DriveEntry{QStringLiteral("/"), QString()}}; }

int SystemDriveList::checkReady(const QString& mountPoint) {
    return QDir(mountPoint).exists() ? 0 : 68;
}

} // namespace zorvane
