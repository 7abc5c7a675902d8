#include "launch/LaunchCommands.h"

#include "app/ReportFileError.h"
#include "launch/ProgramInvocation.h"
#include "platform/BeepService.h"
#include "platform/PlatformServices.h"
#include "platform/ProcessStarter.h"

#include <QWidget>

namespace zorvane {

namespace {

LaunchOutcome startOnCurrentFile(const QString& programText, const QString& currentFile,
                                 qint16& launched, QWidget* viewer, QWidget* owner) {
    const ProgramInvocation invocation = programInvocation(programText, currentFile);
    // Without a program there is nothing to start; the file itself must never become one.
    if (invocation.program.isEmpty())
        return LaunchOutcome::Failed;

    const int errorNumber =
        PlatformServices::processStarter().startDetached(invocation.program, invocation.arguments);
    if (errorNumber != 0) {
        ReportFileError(errorNumber, owner);
        return LaunchOutcome::Failed;
    }
    launched = 1;
    if (viewer)
        viewer->setEnabled(false);
    return LaunchOutcome::Started;
}

} // namespace

LaunchOutcome runEditorCommand(const QString& editorPath, const QString& currentFile,
                               qint16& launched, QWidget* viewer, QWidget* owner) {
    return startOnCurrentFile(editorPath, currentFile, launched, viewer, owner);
}

LaunchOutcome runToolCommand(const QString& toolPath, const QString& currentFile, qint16& launched,
                             QWidget* viewer, QWidget* owner) {
    if (toolPath.isEmpty()) {
        PlatformServices::beep().beep();
        return LaunchOutcome::NotConfigured;
    }
    return startOnCurrentFile(toolPath, currentFile, launched, viewer, owner);
}

} // namespace zorvane
