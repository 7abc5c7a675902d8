#include "app/PlatformStartGuard.h"

#include "app/GraphicalSession.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace zorvane {

namespace {

// A message with copies of its context, which need not outlive the call that gave it.
struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

std::mutex heldLock;
QList<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;
QString lostDisplay;

// Qt's handlers tell a missing file, function or category by a null pointer.
const char* orNull(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}

void passOn(const QList<HeldMessage>& messages) {
    for (const HeldMessage& message : messages) {
        const QMessageLogContext context(orNull(message.file), message.line,
                                         orNull(message.function), orNull(message.category));
        previousHandler(message.type, context, message.text);
    }
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        const std::lock_guard lock(heldLock);
        held.append({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    if (!namedDisplayPresent()) {
        // The process ends here, inside QApplication's constructor: nothing of Qt is torn down.
        std::fputs(lostDisplay.toUtf8().constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    const std::lock_guard lock(heldLock);
    passOn(held);
    held.clear();
    previousHandler(type, context, text); // Qt aborts once this returns
}

} // namespace

PlatformStartGuard::PlatformStartGuard(const QString& lostDisplayText) {
    lostDisplay = lostDisplayText;
    previousHandler = qInstallMessageHandler(holdMessage);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
    QList<HeldMessage> messages;
    {
        const std::lock_guard lock(heldLock);
        messages.swap(held);
    }
    passOn(messages);
}

} // namespace zorvane
