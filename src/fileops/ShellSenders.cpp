#include "fileops/ShellSenders.h"

namespace zorvane {

void ShellCopyMove(QWidget*, qint32, QString&, QString&) {}
void ShellRename(QWidget*, QString&, QString&) {}
void ShellDelete(QWidget*, QString&) {}

} // namespace zorvane
