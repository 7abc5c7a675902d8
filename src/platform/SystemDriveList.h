#pragma once

#include "platform/DriveList.h"

namespace zorvane {

// The mounted file systems of this machine, without the kernel's pseudo file systems.
class SystemDriveList final : public DriveList {
public:
    QList<DriveEntry> drives() override;
    int checkReady(const QString& mountPoint) override;
};

} // namespace zorvane
