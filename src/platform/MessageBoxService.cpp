#include "platform/MessageBoxService.h"

#include "platform/DialogModality.h"
#include "platform/SessionEnd.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

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

// The widest a message box is ever made: QMessageBox's own limit for the screen under the mouse
// (there it starts to break lines anywhere).
int widestMessageBox() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    const int width = screen->availableGeometry().width();
    return width <= 1024 ? width : std::min(width - 480, 1000);
}

// QMessageBox wraps its text at about half the screen's width, and Japanese may break between
// any two characters: a file name would break in its middle (「手引き」/「_SJIS.txt」). The
// text is made as wide as its widest line wherever the box can be that wide, so a line breaks
// only where the message breaks it.
void keepLinesWhole(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label || !box.layout())
        return;
    // The width the text needs unbroken, in the font and with the indent the box gives it.
    box.ensurePolished();
    label->setWordWrap(false);
    const int needed = label->sizeHint().width();
    // What the box needs beside the text: its margins, the icon and the gap after it.
    label->setWordWrap(true);
    label->setMinimumWidth(1);
    const int beside = box.layout()->totalMinimumSize().width() - 1;
    label->setMinimumWidth(std::max(1, std::min(needed, widestMessageBox() - beside)));
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
    keepLinesWhole(box);
    setModalToOwner(box);
    return fromQtButton(box.exec(), request.buttons);
}

} // namespace zorvane
