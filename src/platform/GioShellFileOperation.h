#pragma once

#include "platform/ShellFileOperation.h"

namespace zorvane {

// The file-operation service of the running program: GIO does the file work, Qt windows show
// progress, questions and messages.
class GioShellFileOperation final : public ShellFileOperation {
public:
    int perform(const ShellRequest& request) override;
};

} // namespace zorvane
