#include "textfile/FileUpdateLock.h"

#include "platform/SessionEnd.h"
#include "platform/UpdateLockFile.h"

#include <atomic>
#include <cerrno>
#include <memory>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace zorvane {

namespace {

enum LockState { Waiting, Taken, Failed, GivenUp };

int lockAtOnce(int descriptor) {
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

} // namespace

FileUpdateLock::FileUpdateLock(const QString& path, std::chrono::milliseconds wait) {
    const int descriptor = openUpdateLockFile(path);
    if (descriptor < 0)
        return;
    const int first = lockAtOnce(descriptor);
    if (first != 0 && first != EWOULDBLOCK) {
        ::close(descriptor); // a file system without locks: write as before
        return;
    }
    if (first == 0) {
        descriptor_ = descriptor;
        return;
    }

    // Held elsewhere. A thread of its own waits in flock, which the kernel wakes in turn, while
    // this one keeps the window answering; given up, the waiting thread drops whatever it gets.
    auto state = std::make_shared<std::atomic<int>>(Waiting);
    try {
        std::thread([state, descriptor] {
            int result = 0;
            do {
                result = ::flock(descriptor, LOCK_EX);
            } while (result != 0 && errno == EINTR);
            int expected = Waiting;
            if (!state->compare_exchange_strong(expected, result == 0 ? Taken : Failed))
                ::close(descriptor); // given up: the lock is nobody's
        }).detach();
    } catch (const std::system_error&) {
        ::close(descriptor);
        busy_ = true;
        return;
    }
    // The session may end meanwhile: its deadline counts from then on.
    const QDeadlineTimer deadline(wait);
    for (;;) {
        const int now = state->load();
        if (now == Taken) {
            descriptor_ = descriptor;
            return;
        }
        if (now == Failed) {
            ::close(descriptor);
            return;
        }
        int expected = Waiting;
        const bool expired = deadline.hasExpired() || SessionEnd::deadline().hasExpired();
        if (expired && state->compare_exchange_strong(expected, GivenUp)) {
            busy_ = true;
            return;
        }
        waitServingWindow(10);
    }
}

FileUpdateLock::~FileUpdateLock() {
    if (descriptor_ >= 0)
        ::close(descriptor_); // closing the last descriptor releases the lock
}

} // namespace zorvane
