#include "platform/PlatformServices.h"

#include "platform/BeepService.h"
#include "platform/DefaultTextApplication.h"
#include "platform/DirectoryPicker.h"
#include "platform/DriveList.h"
#include "platform/GioDefaultTextApplication.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessStarter.h"
#include "platform/ShellFileOperation.h"
#include "platform/SystemDriveList.h"
#include "platform/SystemProcessStarter.h"

#include "platform/ColourDialogService.h"
#include "platform/FontDialogService.h"
#include "platform/ProgramFileDialog.h"

namespace zorvane {

namespace {

struct InstalledServices {
    MessageBoxService* messageBox = nullptr;
    BeepService* beep = nullptr;
    ProcessStarter* processStarter = nullptr;
    DefaultTextApplication* defaultTextApplication = nullptr;
    DriveList* driveList = nullptr;
    ShellFileOperation* shellFileOperation = nullptr;
    HelpService* help = nullptr;
    DirectoryPicker* directoryPicker = nullptr;
    ProgramFileDialog* programFileDialog = nullptr;
    FontDialogService* fontDialog = nullptr;
    ColourDialogService* colourDialog = nullptr;
};

InstalledServices& installed() {
    static InstalledServices services;
    return services;
}

// Stand-ins until the program installs its own windows: the picker, the help window and the
// file-operation service all live above this seam.
class NoDirectoryPicker final : public DirectoryPicker {
public:
    QString pickDirectory(QWidget*, const QString&) override { return QString(); }
};

class NoHelp final : public HelpService {
public:
    void showContents(const QString&) override {}
    void showTopic(const QString&, int) override {}
};

// Touches no file and says so: anything but 0 means not done.
class NoShellFileOperation final : public ShellFileOperation {
public:
    int perform(const ShellRequest&) override { return 1; }
};

} // namespace

MessageBoxService& PlatformServices::messageBox() {
    static QtMessageBoxService production;
    return installed().messageBox ? *installed().messageBox : production;
}

BeepService& PlatformServices::beep() {
    static QtBeepService production;
    return installed().beep ? *installed().beep : production;
}

ProcessStarter& PlatformServices::processStarter() {
    static SystemProcessStarter production;
    return installed().processStarter ? *installed().processStarter : production;
}

DefaultTextApplication& PlatformServices::defaultTextApplication() {
    static GioDefaultTextApplication production;
    return installed().defaultTextApplication ? *installed().defaultTextApplication : production;
}

DriveList& PlatformServices::driveList() {
    static SystemDriveList production;
    return installed().driveList ? *installed().driveList : production;
}

ShellFileOperation& PlatformServices::shellFileOperation() {
    static NoShellFileOperation none;
    return installed().shellFileOperation ? *installed().shellFileOperation : none;
}

HelpService& PlatformServices::help() {
    static NoHelp none;
    return installed().help ? *installed().help : none;
}

DirectoryPicker& PlatformServices::directoryPicker() {
    static NoDirectoryPicker none;
    return installed().directoryPicker ? *installed().directoryPicker : none;
}

void PlatformServices::setMessageBox(MessageBoxService* service) {
    installed().messageBox = service;
}
void PlatformServices::setBeep(BeepService* service) {
    installed().beep = service;
}
void PlatformServices::setProcessStarter(ProcessStarter* service) {
    installed().processStarter = service;
}
void PlatformServices::setDefaultTextApplication(DefaultTextApplication* service) {
    installed().defaultTextApplication = service;
}
void PlatformServices::setDriveList(DriveList* service) {
    installed().driveList = service;
}
void PlatformServices::setShellFileOperation(ShellFileOperation* service) {
    installed().shellFileOperation = service;
}

void PlatformServices::setHelp(HelpService* service) {
    installed().help = service;
}
void PlatformServices::setDirectoryPicker(DirectoryPicker* service) {
    installed().directoryPicker = service;
}

// ---- The common dialogs of the options window ----

ProgramFileDialog& PlatformServices::programFileDialog() {
    static QtProgramFileDialog production;
    return installed().programFileDialog ? *installed().programFileDialog : production;
}

FontDialogService& PlatformServices::fontDialog() {
    static QtFontDialogService production;
    return installed().fontDialog ? *installed().fontDialog : production;
}

ColourDialogService& PlatformServices::colourDialog() {
    static QtColourDialogService production;
    return installed().colourDialog ? *installed().colourDialog : production;
}

void PlatformServices::setProgramFileDialog(ProgramFileDialog* service) {
    installed().programFileDialog = service;
}
void PlatformServices::setFontDialog(FontDialogService* service) {
    installed().fontDialog = service;
}
void PlatformServices::setColourDialog(ColourDialogService* service) {
    installed().colourDialog = service;
}

} // namespace zorvane
