#include "app/SessionEndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zorvane {

namespace {

constexpr std::array<int, 3> WatchedSignals{SIGTERM, SIGHUP, SIGINT};

int pipeEnds[2] = {-1, -1}; // read, write; shared with the signal handler
struct sigaction previousActions[WatchedSignals.size()];

extern "C" void writeSignalNumber(int signalNumber) {
    // Only async-signal-safe calls here; errno belongs to the interrupted code.
    const int savedErrno = errno;
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
    struct sigaction action {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
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
