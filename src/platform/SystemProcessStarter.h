#pragma once

#include "platform/ProcessStarter.h"

namespace zorvane {

// Starts programs with QProcess::startDetached, mapping a missing program or folder onto the
// program's error numbers first.
class SystemProcessStarter final : public ProcessStarter {
public:
    int startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace zorvane
