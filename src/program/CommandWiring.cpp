#include "program/CommandWiring.h"

#include "app/ModPlok.h"
#include "desktopfit/ScreenFitting.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGetPicker.h"
#include "filer/FileListView.h"
#include "fileservice/GioShellFileOperation.h"
#include "help/HelpWindowService.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "options/OptionsCommand.h"
#include "platform/PlatformServices.h"

namespace zorvane {

namespace {

// The name a file renamed within the shown folder has now, else empty.
QString renamedEntry(const QString& shownFolder, const QString& newPath) {
    const qsizetype slash = newPath.lastIndexOf(QChar(u'/'));
    const QString folder = slash == 0 ? QStringLiteral("/") : newPath.left(slash);
    return slash >= 0 && folder == shownFolder ? newPath.mid(slash + 1) : QString();
}

// After a done operation the lists show what is there now; a file that left its place (moved,
// renamed, deleted) is no longer the current file. The shown folder and pattern stay, and so
// does the place in the list where the file was renamed: Down goes on from it.
void refreshAfterFileOperation(Form1& form1, bool directories, bool fileLeft,
                               bool renamed = false) {
    if (modPlok().FileOpCode != 0)
        return;
    if (directories)
        form1.refreshDirectoryList();
    if (renamed)
        form1.file1()->refresh(renamedEntry(form1.file1()->path(), modPlok().DestPath));
    else
        form1.refreshFileList();
    if (fileLeft)
        form1.clearCurrentFile();
}

} // namespace

void installProgramWindows() {
    static FrmDirGetPicker directoryPicker;
    PlatformServices::setDirectoryPicker(&directoryPicker);
    static HelpWindowService help;
    PlatformServices::setHelp(&help);
    static GioShellFileOperation shellFileOperation;
    PlatformServices::setShellFileOperation(&shellFileOperation);
    ScreenFitting::install();
}

void attachCommands(Form1& form1) {
    form1.setCommandHandler(MainCommand::Copy, [&form1] {
        Form3 dialog(&form1);
        dialog.exec();
        refreshAfterFileOperation(form1, true, false);
    });
    form1.setCommandHandler(MainCommand::Move, [&form1] {
        Form3 dialog(&form1);
        dialog.exec();
        refreshAfterFileOperation(form1, true, true);
    });
    form1.setCommandHandler(MainCommand::Rename, [&form1] {
        Form4 dialog(&form1);
        dialog.exec();
        refreshAfterFileOperation(form1, true, true, true);
    });
    form1.setCommandHandler(MainCommand::Delete, [&form1] {
        Form5 dialog(&form1);
        dialog.exec();
        refreshAfterFileOperation(form1, false, true);
    });
    form1.setCommandHandler(MainCommand::Option,
                            [&form1] { runOptionsDialog(OptionTargets(form1)); });
    form1.setCommandHandler(MainCommand::Version, [] { frmAbout::showModeless(); });
}

} // namespace zorvane
