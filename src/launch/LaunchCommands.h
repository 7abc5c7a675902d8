#pragma once

#include "platform/MessageBoxService.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace zorvane {

enum class LaunchOutcome {
    Started,       // the program runs; launched = 1, the viewer is disabled
    NotConfigured, // a tool without a program: one beep and a message, nothing changed
    Failed,        // not started: the error was reported (if it has a message), nothing changed
};

// Starts the editor on the current file (miOpen). `currentFile` is the caption of Label5; empty
// starts the editor without a file. An empty editor program fails quietly: the file itself is
// never started as a program. On success `launched` becomes 1 and `viewer` is disabled; on
// failure ReportFileError(number, owner) and nothing else changes. The editor of a fresh
// install, "Editor", where no program has that name, is the desktop's application for text
// files; where the desktop has none, the user is told where to set an editor.
LaunchOutcome runEditorCommand(const QString& editorPath, const QString& currentFile,
                               qint16& launched, QWidget* viewer, QWidget* owner);

// Starts an external tool on the current file (miEx1 to miEx3). A tool without a program beeps
// once, says where tools are set and changes nothing; otherwise the same as runEditorCommand.
LaunchOutcome runToolCommand(const QString& toolPath, const QString& currentFile, qint16& launched,
                             QWidget* viewer, QWidget* owner);

// What the user is told when the desktop has no application for text files to stand for the
// editor, and when a tool has no program: where programs are set.
MessageRequest noTextApplicationMessage();
MessageRequest toolNotSetMessage();

} // namespace zorvane
