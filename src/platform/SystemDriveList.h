#pragma once

#include "platform/DriveList.h"

#include <QByteArray>
#include <QHash>

namespace zorvane {

// The mounted file systems of this machine, without the kernel's pseudo file systems.
class SystemDriveList final : public DriveList {
public:
    QList<DriveEntry> drives() override;
    int checkReady(const QString& mountPoint) override;

    // The drives a user works with among the lines of /proc/self/mountinfo: the root first,
    // then the others by mount point. Kernel and system mounts (/proc, /sys, /dev, /run but
    // /run/media, /boot, /snap, /var/lib, bind-mounted files under /etc) and memory file
    // systems (but media mounted under /media) are left out. `labelsByDevice` gives the volume
    // label of a device such as /dev/sdb1; network mounts are labelled with their source.
    static QList<DriveEntry> drivesFromMountInfo(const QByteArray& mountInfo,
                                                 const QHash<QString, QString>& labelsByDevice);

    // The volume labels of /dev/disk/by-label, by the device each one names.
    static QHash<QString, QString> deviceLabels();
};

} // namespace zorvane
