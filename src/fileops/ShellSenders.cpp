#include "fileops/ShellSenders.h"

#include "app/ModPlok.h"
#include "platform/PlatformServices.h"
#include "platform/ShellFileOperation.h"

#include <limits>

namespace zorvane {

namespace {

void send(QWidget* dialog, quint32 function, const QString& source, const QString& destination) {
    ShellRequest request; // every field starts zero
    request.owner = dialog;
    request.function = function;
    request.from = source;
    request.to = destination;
    request.flags = FOF_ALLOWUNDO;
    const int result = PlatformServices::shellFileOperation().perform(request);
    modPlok().FileOpCode = fileOpCodeFromResult(result);
}

} // namespace

qint32 opFuncForFileOpCode(qint16 fileOpCode) {
    return fileOpCode == 1 ? FO_COPY : FO_MOVE;
}

qint16 fileOpCodeFromResult(int result) {
    if (result > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (result < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(result);
}

void ShellCopyMove(QWidget* dialog, qint32 opFunc, const QString& source,
                   const QString& destinationFolder) {
    send(dialog, static_cast<quint32>(opFunc), source, destinationFolder);
}

void ShellRename(QWidget* dialog, const QString& source, const QString& newFullPath) {
    send(dialog, FO_RENAME, source, newFullPath);
}

void ShellDelete(QWidget* dialog, const QString& source) {
    send(dialog, FO_DELETE, source, QString());
}

} // namespace zorvane
