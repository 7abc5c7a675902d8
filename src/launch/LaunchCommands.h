#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace zorvane {

enum class LaunchOutcome {
    Started,       // the program runs; launched = 1, the viewer is disabled
    NotConfigured, // a tool without a program: one beep, nothing changed
    Failed,        // not started: the error was reported (if it has a message), nothing changed
};

// Starts the editor on the current file (miOpen). `currentFile` is the caption of Label5; empty
// starts the editor without a file. An empty editor program fails quietly: the file itself is
// never started as a program. On success `launched` becomes 1 and `viewer` is disabled; on
// failure ReportFileError(number, owner) and nothing else changes.
LaunchOutcome runEditorCommand(const QString& editorPath, const QString& currentFile,
                               qint16& launched, QWidget* viewer, QWidget* owner);

// Starts an external tool on the current file (miEx1 to miEx3). A tool without a program beeps
// once and changes nothing; otherwise the same as runEditorCommand.
LaunchOutcome runToolCommand(const QString& toolPath, const QString& currentFile, qint16& launched,
                             QWidget* viewer, QWidget* owner);

} // namespace zorvane
