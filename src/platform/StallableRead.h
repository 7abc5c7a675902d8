#pragma once

#include "platform/ReadWorkers.h"

#include <QMetaObject>
#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace zorvane {

// How long a pick waits for its read before letting it go on in the background. A local disk
// answers well within it, so the pick still shows its outcome before it returns; a network
// share or a dead mount does not, and the window goes on answering meanwhile.
inline constexpr std::chrono::milliseconds foregroundReadWait{25};

// How long a read started now may hold the window: `wanted`, or nothing once another read of
// the same event has run out of its time (a folder listed by both Dir1 and File1: a share that
// stalled the first read would stall the second, and the window would wait twice).
std::chrono::milliseconds foregroundWaitLeft(std::chrono::milliseconds wanted);
// A read of this event ran out of its time; the next event waits afresh.
void noteForegroundWaitRanOut();

// The window's end of the reads still running: cleared when the window's reader goes, so a
// read that ends later hands its result to nobody.
struct StalledReadChannel {
    std::mutex mutex;
    QObject* receiver = nullptr; // guarded by mutex; lives on the window's thread
};

// One kind of read of the file system (a folder listing, the head of a file) that may stall for
// seconds on a slow or hung mount. Each start runs the read on a reading thread and waits
// for it a short bounded time; a read that ends within it gives its result at once, exactly as
// a read on the window's thread would. Otherwise the result comes later, on the window's thread,
// to the `deliver` of that start, unless a newer start or cancel came first: the newest pick
// wins. The reading threads (ReadWorkers) are never joined: a thread blocked in read() cannot be
// stopped, and the program must be able to end while it waits. The read gets only values, and
// its result crosses back by value.
template <typename Result> class StallableRead {
public:
    using Read = std::function<Result()>;
    using Deliver = std::function<void(Result)>;

    StallableRead() : channel_(std::make_shared<StalledReadChannel>()) {
        channel_->receiver = &receiver_;
        ReadWorkers::prepare(); // a thread is waiting by the time the first read comes
    }
    ~StallableRead() {
        const std::lock_guard lock(channel_->mutex);
        channel_->receiver = nullptr; // events already posted go with receiver_
    }
    StallableRead(const StallableRead&) = delete;
    StallableRead& operator=(const StallableRead&) = delete;

    // Starts `read` and abandons any read still pending. Returns its result when it ends within
    // `wait`; otherwise nothing, and `deliver` gets the result later.
    std::optional<Result> start(Read read, Deliver deliver,
                                std::chrono::milliseconds wait = foregroundReadWait) {
        const quint64 generation = ++generation_;
        pending_ = false;
        auto slot = std::make_shared<Slot>();
        auto work = [read, slot, channel = channel_, generation, this]() mutable {
            {
                const std::lock_guard lock(slot->mutex);
                slot->started = true;
            }
            slot->ready.notify_one();
            Result result = read();
            std::unique_lock lock(slot->mutex);
            if (!slot->inBackground) {
                slot->result = std::move(result);
                slot->ready.notify_one();
                return;
            }
            lock.unlock();
            // `this` is used only on the window's thread, by the posted call, which the
            // receiver's destruction (with this reader's) discards.
            const std::lock_guard channelLock(channel->mutex);
            if (channel->receiver)
                QMetaObject::invokeMethod(
                    channel->receiver,
                    [this, generation, result = std::move(result)]() mutable {
                        finish(generation, std::move(result));
                    },
                    Qt::QueuedConnection);
        };
        if (!ReadWorkers::run(std::move(work)))
            return read(); // no thread to be had: read as the window always did

        // The bound is on the read, not on a busy machine's delay in starting the thread: a
        // local read must never be sent to the background only because the CPU was taken.
        std::unique_lock lock(slot->mutex);
        slot->ready.wait(lock, [&] { return slot->started; });
        if (slot->ready.wait_for(lock, foregroundWaitLeft(wait),
                                 [&] { return slot->result.has_value(); }))
            return std::move(*slot->result);
        slot->inBackground = true;
        if (wait.count() > 0) // a read sent to the background at once held the window for nothing
            noteForegroundWaitRanOut();
        pending_ = true;
        deliver_ = std::move(deliver);
        return std::nullopt;
    }

    // Abandons the pending read: its result is never delivered.
    void cancel() {
        ++generation_;
        pending_ = false;
        deliver_ = nullptr;
    }

    // A read went on in the background and its result has not come yet.
    bool pending() const { return pending_; }

private:
    struct Slot {
        std::mutex mutex;
        std::condition_variable ready;
        std::optional<Result> result;
        bool started = false;
        bool inBackground = false;
    };

    void finish(quint64 generation, Result result) {
        if (generation != generation_ || !pending_)
            return;
        pending_ = false;
        const Deliver deliver = std::exchange(deliver_, nullptr);
        if (deliver)
            deliver(std::move(result));
    }

    QObject receiver_; // on the window's thread; posted results are calls on it
    std::shared_ptr<StalledReadChannel> channel_;
    quint64 generation_ = 0;
    bool pending_ = false;
    Deliver deliver_;
};

} // namespace zorvane
