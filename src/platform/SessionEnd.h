#pragma once

#include <QDeadlineTimer>
#include <QObject>

#include <chrono>

namespace zorvane {

// The end of the user's session (logout, a stopped service, a closed terminal, the session
// manager's end): from then on nothing asks the user, running work is cancelled, and every wait
// of the window's thread gives up by one common deadline, so the program ends within about two
// seconds whatever it was doing.
class SessionEnd final : public QObject {
    Q_OBJECT
public:
    // What the waits of an ending program may take in all, from the moment the end began.
    static constexpr std::chrono::milliseconds waitsAtTheEnd{1200};

    static SessionEnd& instance();

    // The session ends now (the first call counts); began() is emitted on the calling thread.
    static void begin();
    static bool isEnding();
    // When the waits of the ending program give up; never before the end began.
    static QDeadlineTimer deadline();

signals:
    void began();

private:
    SessionEnd() = default;
};

// Lets `milliseconds` pass on the calling thread. On the window's thread its events are served
// meanwhile (repaints, timers, the session's signals) but not the user's input, so the window
// answers without a second command starting; elsewhere, at the session's end and once the event
// loops are ending, the thread just sleeps.
void waitServingWindow(int milliseconds);

} // namespace zorvane
