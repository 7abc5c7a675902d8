#include "launch/ProgramInvocation.h"

#include <QProcess>

namespace zorvane {

ProgramInvocation programInvocation(const QString& programText, const QString& currentFile) {
    ProgramInvocation invocation;
    QStringList words = QProcess::splitCommand(programText);
    if (words.isEmpty())
        return invocation;
    invocation.program = words.takeFirst();
    invocation.arguments = words;
    if (!currentFile.isEmpty())
        invocation.arguments.append(currentFile);
    return invocation;
}

} // namespace zorvane
