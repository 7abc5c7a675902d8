#include "platform/MessageBoxService.h"

#include "platform/DialogModality.h"

#include <QMessageBox>

namespace zorvane {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer fromQtButton(int button, MessageButtons offered) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    // Closed by the window frame or Esc without a matching button.
    switch (offered) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

} // namespace

MessageAnswer QtMessageBoxService::show(QWidget* owner, const MessageRequest& request) {
    QMessageBox box(toQtIcon(request.icon), request.title, request.text,
                    toQtButtons(request.buttons), owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // A file name such as "<b>x.txt<!--" is a name, never markup: no message of the program
    // uses any.
    box.setTextFormat(Qt::PlainText);
    setModalToOwner(box);
    return fromQtButton(box.exec(), request.buttons);
}

} // namespace zorvane
