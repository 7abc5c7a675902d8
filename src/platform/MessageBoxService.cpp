#include "platform/MessageBoxService.h"

#include "platform/DialogModality.h"
#include "platform/SessionEnd.h"

#include <QMessageBox>

#include <cstdio>

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

// The answer of a box closed without a button: Esc or the window frame.
MessageAnswer closedAnswer(MessageButtons offered) {
    switch (offered) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
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
    return closedAnswer(offered);
}

// One line for the journal: the title, then the text with its lines joined by blanks.
void printToStandardError(const MessageRequest& request) {
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString line = QStringLiteral("zorvane: ") + request.title + QStringLiteral(": ") +
                         text.split(u'\n', Qt::SkipEmptyParts).join(u' ') + u'\n';
    std::fputs(line.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

MessageAnswer QtMessageBoxService::show(QWidget* owner, const MessageRequest& request) {
    // Nobody is there to answer at the end of the session: the journal gets the message, and
    // the question is answered as a box closed without a button.
    if (SessionEnd::isEnding()) {
        printToStandardError(request);
        return closedAnswer(request.buttons);
    }
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
