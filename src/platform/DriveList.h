#pragma once

#include <QList>
#include <QString>

namespace zorvane {

// One entry of the drive list: a mounted file system the user works with.
struct DriveEntry {
    QString mountPoint; // absolute path, "/" for the root
    QString label;      // what the drive list shows beside the mount point
};

// The mounted file systems and the test whether one can be opened.
class DriveList {
public:
    virtual ~DriveList() = default;
    virtual QList<DriveEntry> drives() = 0;
    // 0 when the drive's folder can be listed, else the error number (68, 71, 76, ...).
    virtual int checkReady(const QString& mountPoint) = 0;
};

} // namespace zorvane
