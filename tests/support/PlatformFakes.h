#pragma once

#include "platform/BeepService.h"
#include "platform/DefaultTextApplication.h"
#include "platform/DirectoryPicker.h"
#include "platform/DriveList.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxService.h"
#include "platform/ProcessStarter.h"
#include "platform/ShellFileOperation.h"

#include "platform/ColourDialogService.h"
#include "platform/FontDialogService.h"
#include "platform/ProgramFileDialog.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QMap>

namespace zorvane::testing {

// Records every message box and answers from a script; with the script empty it answers
// with the first button of the box (OK, Yes or Retry).
class FakeMessageBox final : public MessageBoxService {
public:
    MessageAnswer show(QWidget* owner, const MessageRequest& request) override;

    QList<MessageRequest> shown;
    QList<QWidget*> owners;
    QQueue<MessageAnswer> answers;
};

class FakeBeep final : public BeepService {
public:
    void beep() override { ++count; }
    int count = 0;
};

struct StartedProgram {
    QString program;
    QStringList arguments;
};

class FakeProcessStarter final : public ProcessStarter {
public:
    int startDetached(const QString& program, const QStringList& arguments) override;

    QList<StartedProgram> started; // also records attempts that fail
    int result = 0;                // what every start returns
};

// Records each file handed to the desktop's application for text files.
class FakeDefaultTextApplication final : public DefaultTextApplication {
public:
    bool startOn(const QString& file) override {
        files.append(file);
        return result;
    }
    QStringList files;
    bool result = true; // whether an application started
};

class FakeDriveList final : public DriveList {
public:
    QList<DriveEntry> drives() override { return entries; }
    int checkReady(const QString& mountPoint) override { return failures.value(mountPoint, 0); }

    QList<DriveEntry> entries;
    QMap<QString, int> failures; // mount point -> error number
};

class FakeShellFileOperation final : public ShellFileOperation {
public:
    int perform(const ShellRequest& request) override;

    QList<ShellRequest> requests;
    int result = 0;
};

struct HelpRequest {
    QString helpFile;
    int contextNumber = 0; // 0: the contents
};

class FakeHelp final : public HelpService {
public:
    void showContents(const QString& helpFile) override { requests.append({helpFile, 0}); }
    void showTopic(const QString& helpFile, int contextNumber) override {
        requests.append({helpFile, contextNumber});
    }
    QList<HelpRequest> requests;
};

// Records where each pick started and answers from a script; with the script empty the user
// cancels (an empty answer).
class FakeDirectoryPicker final : public DirectoryPicker {
public:
    QString pickDirectory(QWidget* owner, const QString& start) override {
        owners.append(owner);
        starts.append(start);
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    QList<QWidget*> owners;
    QStringList starts;
    QQueue<QString> answers;
};

// ---- The common dialogs of the options window ----
// Each records what it was opened with and answers from a script; with the script empty the
// user cancels.

class FakeProgramFileDialog final : public ProgramFileDialog {
public:
    std::optional<QString> chooseProgram(QWidget* owner, const QString& fileName) override {
        owners.append(owner);
        fileNames.append(fileName);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
    QList<QWidget*> owners;
    QStringList fileNames; // what the file-name box started with
    QQueue<std::optional<QString>> answers;
};

class FakeFontDialog final : public FontDialogService {
public:
    std::optional<FontChoice> chooseFont(QWidget* owner,
                                         const FontDialogRequest& request) override {
        owners.append(owner);
        requests.append(request);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
    QList<QWidget*> owners;
    QList<FontDialogRequest> requests;
    QQueue<std::optional<FontChoice>> answers;
};

class FakeColourDialog final : public ColourDialogService {
public:
    std::optional<QColor> chooseColour(QWidget* owner, const QColor& start) override {
        owners.append(owner);
        starts.append(start);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
    QList<QWidget*> owners;
    QList<QColor> starts;
    QQueue<std::optional<QColor>> answers;
};

// ---- end of the common dialogs ----

// Installs one of each fake for the lifetime of the object and puts production back after.
class PlatformFakes {
public:
    PlatformFakes();
    ~PlatformFakes();
    PlatformFakes(const PlatformFakes&) = delete;
    PlatformFakes& operator=(const PlatformFakes&) = delete;

    FakeMessageBox messageBox;
    FakeBeep beep;
    FakeProcessStarter processStarter;
    FakeDefaultTextApplication defaultTextApplication;
    FakeDriveList driveList;
    FakeShellFileOperation shellFileOperation;
    FakeHelp help;
    FakeDirectoryPicker directoryPicker;
    // The common dialogs of the options window.
    FakeProgramFileDialog programFileDialog;
    FakeFontDialog fontDialog;
    FakeColourDialog colourDialog;
};

} // namespace zorvane::testing
