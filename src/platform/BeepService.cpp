#include "platform/BeepService.h"

#include <QApplication>

namespace zorvane {

void QtBeepService::beep() { QApplication::beep(); }

} // namespace zorvane
