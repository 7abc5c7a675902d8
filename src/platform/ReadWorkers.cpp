#include "platform/ReadWorkers.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace zorvane {

namespace {

constexpr int MaxIdleThreads = 2;

struct Workers {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> work; // guarded by mutex
    int threads = 0;                        // guarded by mutex
    int idle = 0;                           // guarded by mutex
};

// Never destroyed: a thread still blocked in a read at exit comes back to it.
Workers& workers() {
    static Workers* const instance = new Workers;
    return *instance;
}

void serve() {
    Workers& all = workers();
    std::unique_lock lock(all.mutex);
    for (;;) {
        while (all.work.empty()) {
            if (all.idle >= MaxIdleThreads) {
                --all.threads;
                return;
            }
            ++all.idle;
            all.wake.wait(lock);
            --all.idle;
        }
        std::function<void()> next = std::move(all.work.front());
        all.work.pop_front();
        lock.unlock();
        next();
        next = nullptr; // what the work holds goes before the lock is taken again
        lock.lock();
    }
}

// Starts one more thread; the caller holds the mutex.
bool addThread(Workers& all) {
    try {
        std::thread(serve).detach();
    } catch (const std::system_error&) {
        return false;
    }
    ++all.threads;
    return true;
}

} // namespace

bool ReadWorkers::run(std::function<void()> work) {
    Workers& all = workers();
    const std::lock_guard lock(all.mutex);
    all.work.push_back(std::move(work));
    // Each waiting piece of work has an idle thread of its own or a new one.
    if (all.idle >= static_cast<int>(all.work.size())) {
        all.wake.notify_one();
        return true;
    }
    if (addThread(all))
        return true;
    all.work.pop_back(); // still ours: no thread could take it while the mutex was held
    return false;
}

void ReadWorkers::prepare() {
    Workers& all = workers();
    const std::lock_guard lock(all.mutex);
    if (all.threads == 0)
        addThread(all);
}

} // namespace zorvane
