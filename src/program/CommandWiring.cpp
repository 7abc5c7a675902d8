#include "program/CommandWiring.h"

#include "app/ModPlok.h"
#include "desktopfit/ScreenFitting.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGetPicker.h"
#include "fileservice/GioShellFileOperation.h"
#include "help/HelpWindowService.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "options/OptionsCommand.h"
#include "platform/PlatformServices.h"

namespace zorvane {

namespace {

// After a done operation the lists show what is there now; a file that left its place (moved,
// renamed, deleted) is no longer the current file. The shown folder and pattern stay.
void refreshAfterFileOperation(Form1& form1, bool directories, bool fileLeft) {
    if (modPlok().FileOpCode != 0)
        return;
    if (directories)
        form1.refreshDirectoryList();
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
        refreshAfterFileOperation(form1, true, true);
    });
    form1.setCommandHandler(MainCommand::Delete, [&form1] {
        Form5 dialog(&form1);
        dialog.exec();
        refreshAfterFileOperation(form1, false, true);
    });
    form1.setCommandHandler(MainCommand::Option, [&form1] { runOptionsDialog(form1); });
    form1.setCommandHandler(MainCommand::Version, [] { frmAbout::showModeless(); });
}

} // namespace zorvane
