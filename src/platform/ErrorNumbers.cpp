#include "platform/ErrorNumbers.h"

namespace zorvane {

int errorNumberFromErrno(int /*errnoValue*/, const char* /*path*/) { return ErrDeviceIO; }

} // namespace zorvane
