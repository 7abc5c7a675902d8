#pragma once

#include <QString>

namespace zorvane {

// The command line handed to the editor or a tool: the program text, one blank and the
// current file in double quotes; the program text alone without a current file.
QString buildCommandLine(const QString& program, const QString& currentFile);

} // namespace zorvane
