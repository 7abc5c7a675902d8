#include "platform/GioShellFileOperation.h"

namespace zorvane {

int GioShellFileOperation::perform(const ShellRequest& /*request*/) { return 1; }

} // namespace zorvane
