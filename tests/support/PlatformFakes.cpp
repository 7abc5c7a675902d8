#include "PlatformFakes.h"

#include "platform/PlatformServices.h"

namespace zorvane::testing {

namespace {
MessageAnswer firstButton(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageButtons::RetryCancel:
        return MessageAnswer::Retry;
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        break;
    }
    return MessageAnswer::Ok;
}
} // namespace

MessageAnswer FakeMessageBox::show(QWidget* owner, const MessageRequest& request) {
    shown.append(request);
    owners.append(owner);
    return answers.isEmpty() ? firstButton(request.buttons) : answers.dequeue();
}

int FakeProcessStarter::startDetached(const QString& program, const QStringList& arguments) {
    started.append({program, arguments});
    return result;
}

int FakeShellFileOperation::perform(const ShellRequest& request) {
    requests.append(request);
    return result;
}

PlatformFakes::PlatformFakes() {
    PlatformServices::setMessageBox(&messageBox);
    PlatformServices::setBeep(&beep);
    PlatformServices::setProcessStarter(&processStarter);
    PlatformServices::setDefaultTextApplication(&defaultTextApplication);
    PlatformServices::setDriveList(&driveList);
    PlatformServices::setShellFileOperation(&shellFileOperation);
    PlatformServices::setHelp(&help);
    PlatformServices::setDirectoryPicker(&directoryPicker);
    PlatformServices::setProgramFileDialog(&programFileDialog);
    PlatformServices::setFontDialog(&fontDialog);
    PlatformServices::setColourDialog(&colourDialog);
}

PlatformFakes::~PlatformFakes() {
    PlatformServices::setMessageBox(nullptr);
    PlatformServices::setBeep(nullptr);
    PlatformServices::setProcessStarter(nullptr);
    PlatformServices::setDefaultTextApplication(nullptr);
    PlatformServices::setDriveList(nullptr);
    PlatformServices::setShellFileOperation(nullptr);
    PlatformServices::setHelp(nullptr);
    PlatformServices::setDirectoryPicker(nullptr);
    PlatformServices::setProgramFileDialog(nullptr);
    PlatformServices::setFontDialog(nullptr);
    PlatformServices::setColourDialog(nullptr);
}

} // namespace zorvane::testing
