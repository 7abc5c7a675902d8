#pragma once

#include <QObject>

class QSocketNotifier;

namespace zorvane {

// Turns the signals that end a session (SIGTERM at logout or `systemctl --user stop`, SIGHUP
// when the terminal closes, SIGINT for Ctrl+C) into a Qt signal delivered by the event loop, so
// the program can save and end as a close does. The signal handler only writes the signal's
// number into a pipe; everything else happens on the event thread. A second signal (another one,
// or the same one half a second later) ends the program at once, by the signal's own default
// action, even while the event thread is held up. One instance at a time; destroying it
// restores the previous handlers.
class SessionEndSignals final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionEndSignals)
public:
    explicit SessionEndSignals(QObject* parent = nullptr);
    ~SessionEndSignals() override;

    // False when the pipe or a handler could not be set up; the signals then end the program
    // as before.
    bool isActive() const { return notifier_ != nullptr; }

signals:
    void ending(int signalNumber);

private:
    void readPending();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zorvane
