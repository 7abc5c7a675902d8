#pragma once

namespace zorvane {

class MessageBoxService;
class BeepService;
class ProcessStarter;
class DefaultTextApplication;
class DriveList;
class ShellFileOperation;
class HelpService;
class DirectoryPicker;
class ProgramFileDialog;
class FontDialogService;
class ColourDialogService;

// The one place where the program finds the services of the operating system and of modal
// windows. Each accessor returns the production service unless another one was installed;
// tests install fakes (and put nullptr back to return to production, or to the stand-in of a
// service that the program installs).
class PlatformServices {
public:
    static MessageBoxService& messageBox();
    static BeepService& beep();
    static ProcessStarter& processStarter();
    static DefaultTextApplication& defaultTextApplication();
    static DriveList& driveList();
    // The file-operation service, the help window and the directory picker sit above the
    // platform; the program installs them at start. Until then no file is touched (the request
    // is not done), help shows nothing and every pick is cancelled.
    static ShellFileOperation& shellFileOperation();
    static HelpService& help();
    static DirectoryPicker& directoryPicker();
    // The common dialogs of the options window: program file, font with text colour, colour.
    static ProgramFileDialog& programFileDialog();
    static FontDialogService& fontDialog();
    static ColourDialogService& colourDialog();

    static void setMessageBox(MessageBoxService* service);
    static void setBeep(BeepService* service);
    static void setProcessStarter(ProcessStarter* service);
    static void setDefaultTextApplication(DefaultTextApplication* service);
    static void setDriveList(DriveList* service);
    static void setShellFileOperation(ShellFileOperation* service);
    static void setHelp(HelpService* service);
    static void setDirectoryPicker(DirectoryPicker* service);
    static void setProgramFileDialog(ProgramFileDialog* service);
    static void setFontDialog(FontDialogService* service);
    static void setColourDialog(ColourDialogService* service);
};

} // namespace zorvane
