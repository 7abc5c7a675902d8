#pragma once

#include <QString>
#include <QStringList>

namespace zorvane {

// What is started for a program text and the current file: the program, its own arguments from
// the program text, and the current file as one last argument exactly as it is.
struct ProgramInvocation {
    QString program;
    QStringList arguments;
};

// Splits the program text with the usual rules of the platform (blanks separate, double quotes
// group) and appends `currentFile` as one argument, unless it is empty. The file path is never
// split or interpreted. An empty or blank program text gives an empty program.
ProgramInvocation programInvocation(const QString& programText, const QString& currentFile);

} // namespace zorvane
