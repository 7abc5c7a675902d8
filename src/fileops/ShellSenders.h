#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace zorvane {

// Fill and send one shell file-operation request each; the result goes into
// modPlok().FileOpCode (0 done, non-zero not done). `dialog` owns the service's windows.
void ShellCopyMove(QWidget* dialog, qint32 opFunc, QString& source, QString& destination);
void ShellRename(QWidget* dialog, QString& source, QString& newFullPath);
void ShellDelete(QWidget* dialog, QString& source);

} // namespace zorvane
