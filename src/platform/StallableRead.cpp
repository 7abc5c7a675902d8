#include "platform/StallableRead.h"

#include <QCoreApplication>
#include <QTimer>

namespace zorvane {

namespace {

// Used on the window's thread only, as the reads are started there.
bool waitRanOutThisEvent = false;

} // namespace

std::chrono::milliseconds foregroundWaitLeft(std::chrono::milliseconds wanted) {
    return waitRanOutThisEvent ? std::chrono::milliseconds{0} : wanted;
}

void noteForegroundWaitRanOut() {
    QCoreApplication* application = QCoreApplication::instance();
    if (waitRanOutThisEvent || !application)
        return;
    waitRanOutThisEvent = true;
    // A zero timer runs once control is back in the event loop: the next event is another.
    QTimer::singleShot(0, application, [] { waitRanOutThisEvent = false; });
}

} // namespace zorvane
