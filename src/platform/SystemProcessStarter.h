#pragma once

#include "platform/ProcessStarter.h"

namespace zorvane {

// Starts programs detached, without a shell, each argument with its exact bytes. Before starting, the program is
// looked up so that a missing program gives 53 and a missing folder on its path 76: a bare
// name is searched in PATH, a name with "/" is taken as a path (relative to the working
// folder). A program that is there but cannot be run gives 70, which has no message.
class SystemProcessStarter final : public ProcessStarter {
public:
    int startDetached(const QString& program, const QStringList& arguments) override;
};

// The lookup alone: the program's full path in `resolved` and 0, or the error number.
int resolveProgram(const QString& program, QString& resolved);

} // namespace zorvane
