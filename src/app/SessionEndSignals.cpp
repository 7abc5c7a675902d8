#include "app/SessionEndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace zorvane {

namespace {

constexpr std::array<int, 3> WatchedSignals{SIGTERM, SIGHUP, SIGINT};

int pipeEnds[2] = {-1, -1}; // read, write; shared with the signal handler
struct sigaction previousActions[WatchedSignals.size()];
// The first signal and when it came; set and read by the handler only.
volatile sig_atomic_t firstSignal = 0;
struct timespec firstSignalAt {};

// A hang-up reaches a program twice when its terminal closes (from the shell, then from the
// terminal itself): the same signal so soon after the first is that one signal.
constexpr long RepeatWindowNs = 500'000'000;

bool repeatsTheFirst(int signalNumber, const struct timespec& now) {
    const long elapsedNs = (now.tv_sec - firstSignalAt.tv_sec) * 1'000'000'000L +
                           (now.tv_nsec - firstSignalAt.tv_nsec);
    return signalNumber == firstSignal && elapsedNs < RepeatWindowNs;
}

extern "C" void writeSignalNumber(int signalNumber) {
    // Only async-signal-safe calls here; errno belongs to the interrupted code.
    const int savedErrno = errno;
    struct timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    if (firstSignal == 0) {
        firstSignal = signalNumber;
        firstSignalAt = now;
    } else if (!repeatsTheFirst(signalNumber, now)) {
        // A second signal: whatever the window's thread is doing, the program ends now, as
        // the signal ends a program that does not catch it.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(signalNumber, &fallback, nullptr);
        ::raise(signalNumber); // delivered once this handler returns
        errno = savedErrno;
        return;
    }
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

SessionEndSignals::SessionEndSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    firstSignal = 0;
    struct sigaction action {};
    action.sa_handler = writeSignalNumber;
    // One handler at a time: the first signal is noted whole before another is looked at.
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : WatchedSignals)
        sigaddset(&action.sa_mask, signalNumber);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < WatchedSignals.size(); ++i)
        ::sigaction(WatchedSignals[i], &action, &previousActions[i]);
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEndSignals::readPending);
}

SessionEndSignals::~SessionEndSignals() {
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < WatchedSignals.size(); ++i)
        ::sigaction(WatchedSignals[i], &previousActions[i], nullptr);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void SessionEndSignals::readPending() {
    unsigned char bytes[16];
    for (;;) {
        const ssize_t count = ::read(pipeEnds[0], bytes, sizeof bytes);
        if (count <= 0)
            return;
        for (ssize_t i = 0; i < count; ++i)
            emit ending(bytes[i]);
    }
}

} // namespace zorvane
