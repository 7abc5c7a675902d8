#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace zorvane {

// The request's operation for the copy-and-move dialog's FileOpCode: 1 (copy) gives FO_COPY
// (2), anything else FO_MOVE (1). The two numberings are swapped on purpose.
qint32 opFuncForFileOpCode(qint16 fileOpCode);

// The service's result as FileOpCode keeps it: 0 stays 0, and a non-zero result never becomes
// 0 in 16 bits (values outside the range are held at its nearer end).
qint16 fileOpCodeFromResult(int result);

// Each sender builds a new request (owner = the sending dialog, FOF_ALLOWUNDO), hands it to the
// shell file-operation service, waits for it to finish and stores the result in
// modPlok().FileOpCode: 0 done, non-zero not done.
void ShellCopyMove(QWidget* dialog, qint32 opFunc, const QString& source,
                   const QString& destinationFolder);
void ShellRename(QWidget* dialog, const QString& source, const QString& newFullPath);
void ShellDelete(QWidget* dialog, const QString& source);

} // namespace zorvane
