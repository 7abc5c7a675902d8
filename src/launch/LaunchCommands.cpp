#include "launch/LaunchCommands.h"

#include "app/ReportFileError.h"
#include "launch/ProgramInvocation.h"
#include "platform/BeepService.h"
#include "platform/DefaultTextApplication.h"
#include "platform/ErrorNumbers.h"
#include "platform/MessageBoxService.h"
#include "platform/PlatformServices.h"
#include "platform/ProcessStarter.h"

#include <QWidget>

namespace zorvane {

namespace {

// The editor program a fresh plok.ini gives. No Linux system has a program of that name: it
// stands for the desktop's own application for text files.
const QString freshEditorProgram = QStringLiteral("Editor");

// Where a user sets the programs, for the messages about one that is missing.
const QString whereProgramsAreSet =
    QStringLiteral("「ツール」メニューの「オプション」を開き、「外部」タブで設定してください。");

enum class Role { Editor, Tool };

LaunchOutcome startOnCurrentFile(Role role, const QString& programText, const QString& currentFile,
                                 qint16& launched, QWidget* viewer, QWidget* owner) {
    const ProgramInvocation invocation = programInvocation(programText, currentFile);
    // Without a program there is nothing to start; the file itself must never become one.
    if (invocation.program.isEmpty())
        return LaunchOutcome::Failed;

    int errorNumber =
        PlatformServices::processStarter().startDetached(invocation.program, invocation.arguments);
    // The fresh install's "Editor" that no program answers to is the desktop's application for
    // text files; a program of that name is started as any other.
    if (role == Role::Editor && errorNumber == ErrFileNotFound &&
        programText.trimmed() == freshEditorProgram) {
        if (!PlatformServices::defaultTextApplication().startOn(currentFile)) {
            PlatformServices::messageBox().show(owner, noTextApplicationMessage());
            return LaunchOutcome::Failed;
        }
        errorNumber = 0;
    }
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

MessageRequest noTextApplicationMessage() {
    return MessageRequest{
        QStringLiteral("テキストファイルを開くアプリケーションが見つかりません。") +
            QStringLiteral("\r\n") + whereProgramsAreSet,
        QStringLiteral("エディタ"), MessageIcon::Exclamation, MessageButtons::Ok};
}

MessageRequest toolNotSetMessage() {
    return MessageRequest{QStringLiteral("この外部ツールのプログラムは設定されていません。") +
                              QStringLiteral("\r\n") + whereProgramsAreSet,
                          QStringLiteral("外部ツール"), MessageIcon::Information,
                          MessageButtons::Ok};
}

LaunchOutcome runEditorCommand(const QString& editorPath, const QString& currentFile,
                               qint16& launched, QWidget* viewer, QWidget* owner) {
    return startOnCurrentFile(Role::Editor, editorPath, currentFile, launched, viewer, owner);
}

LaunchOutcome runToolCommand(const QString& toolPath, const QString& currentFile, qint16& launched,
                             QWidget* viewer, QWidget* owner) {
    if (toolPath.isEmpty()) {
        // The beep alone is silent on most desktops.
        PlatformServices::beep().beep();
        PlatformServices::messageBox().show(owner, toolNotSetMessage());
        return LaunchOutcome::NotConfigured;
    }
    return startOnCurrentFile(Role::Tool, toolPath, currentFile, launched, viewer, owner);
}

} // namespace zorvane
