#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace zorvane {

namespace {

std::atomic<bool> ending{false};
std::atomic<qint64> endDeadlineMs{0}; // QDeadlineTimer's deadline() of the end, once it began

} // namespace

SessionEnd& SessionEnd::instance() {
    static SessionEnd single;
    return single;
}

void SessionEnd::begin() {
    if (ending.exchange(true))
        return;
    endDeadlineMs.store(QDeadlineTimer(waitsAtTheEnd).deadline());
    emit instance().began();
}

bool SessionEnd::isEnding() {
    return ending.load();
}

QDeadlineTimer SessionEnd::deadline() {
    if (!isEnding())
        return QDeadlineTimer(QDeadlineTimer::Forever);
    QDeadlineTimer timer;
    timer.setDeadline(endDeadlineMs.load());
    return timer;
}

void waitServingWindow(int milliseconds) {
    if (milliseconds <= 0)
        return;
    // At the end nobody looks at the window any more, and after the display's loss no event may
    // be served at all.
    QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() == application->thread() &&
        !SessionEnd::isEnding()) {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        // -1: the program's event loops are ending, and no loop runs any more.
        if (loop.exec(QEventLoop::ExcludeUserInputEvents) >= 0)
            return;
    }
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

} // namespace zorvane
