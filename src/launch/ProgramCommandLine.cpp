#include "launch/ProgramCommandLine.h"

namespace zorvane {

QString buildCommandLine(const QString& program, const QString& currentFile) {
    if (currentFile.isEmpty())
        return program;
    return program + QStringLiteral(" \"") + currentFile + QStringLiteral("\"");
}

} // namespace zorvane
