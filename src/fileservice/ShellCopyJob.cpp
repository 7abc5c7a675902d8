#include "fileservice/ShellCopyJob.h"

#include "fileservice/ShellCancellation.h"
#include "fileservice/ShellProgressWindow.h"
#include "platform/NativePath.h"
#include "platform/SessionEnd.h"

#include <QEventLoop>

#include "platform/GioLibrary.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace zorvane {

namespace {

// How long the window waits for a cancelled copy to stop before it leaves the copy behind: a
// copy from a local disk stops within a step, a read from a hung share may never return. At the
// session's end the wait is longer, so that a copy that can stop cleans up before the program
// ends, but never beyond the session's deadline.
constexpr std::chrono::milliseconds stopWait{100};
constexpr std::chrono::milliseconds stopWaitAtSessionEnd{500};

// What the worker and the window share. The worker holds it as long as it runs, which may be
// longer than the window waits for it; it reaches the window only through `receiver`.
struct CopyWork {
    ShellCancellation cancellation;
    std::mutex mutex;
    std::condition_variable ended;
    QObject* receiver = nullptr; // the waiting window's, guarded by mutex; null once it left
    bool finished = false;       // guarded by mutex, as are result and copied
    ShellWorkResult result;
    QString copied;
    // The worker keeps only the latest progress and posts at most one update at a time, so the
    // window thread is never flooded.
    std::atomic<qint64> latestCopied{0};
    std::atomic<qint64> latestTotal{0};
    std::atomic<bool> updatePending{false};
    // Used on the window's thread only, by the calls posted to `receiver`.
    std::function<void()> showProgress;
    std::function<void()> wake;
};

// Posts `call` to the window while it waits; a call posted to a receiver that is gone is
// dropped with it.
void tellWindow(const std::shared_ptr<CopyWork>& work, void (*call)(CopyWork&)) {
    const std::lock_guard lock(work->mutex);
    if (work->receiver)
        QMetaObject::invokeMethod(
            work->receiver, [work, call] { call(*work); }, Qt::QueuedConnection);
}

void copyInWorker(const std::shared_ptr<CopyWork>& work, const QString& source,
                  const QString& folder, bool followLinks, bool flush, qint64 size) {
    const ShellProgressReport report = [work](qint64 copied, qint64 total) {
        work->latestCopied.store(copied);
        work->latestTotal.store(total);
        if (!work->updatePending.exchange(true))
            tellWindow(work, [](CopyWork& w) {
                w.updatePending.store(false);
                if (w.showProgress)
                    w.showProgress();
            });
    };
    report(0, size);
    QString copied;
    const ShellWorkResult result = ShellFileWork::copyToTemporary(
        source, folder, followLinks, flush, work->cancellation, report, copied);
    std::unique_lock lock(work->mutex);
    work->finished = true;
    work->result = result;
    work->copied = copied;
    work->ended.notify_all();
    if (work->receiver) {
        lock.unlock();
        tellWindow(work, [](CopyWork& w) {
            if (w.wake)
                w.wake();
        });
        return;
    }
    // Left behind by a window that stopped waiting: the copy is not wanted any more.
    lock.unlock();
    ShellFileWork::removeQuietly(copied);
}

} // namespace

ShellCopyJob::ShellCopyJob(QWidget* owner, QString title, QString text)
    : owner_(owner), title_(std::move(title)), text_(std::move(text)) {}

ShellWorkResult ShellCopyJob::run(const QString& source, const QString& folder, bool followLinks,
                                  bool flush, QString& temporaryPath) {
    temporaryPath.clear();
    const auto work = std::make_shared<CopyWork>();
    ShellProgressWindow window(owner_, title_, text_);
    QEventLoop loop;
    const auto stop = [&work, &loop] {
        work->cancellation.cancel();
        loop.quit();
    };
    QObject::connect(&window, &ShellProgressWindow::cancelRequested, &loop, stop);
    QObject::connect(&SessionEnd::instance(), &SessionEnd::began, &loop, stop);
    QObject::connect(&window, &ShellProgressWindow::appeared, &loop, &QEventLoop::quit);
    work->showProgress = [&] {
        const qint64 copied = work->latestCopied.load();
        const qint64 total = work->latestTotal.load();
        window.setProgress(copied, total);
        if (hook_ && !work->cancellation.isCancelled() && hook_(copied, total))
            stop();
    };
    bool finishedSeen = false; // after every progress the worker posted before it ended
    work->wake = [&] {
        finishedSeen = true;
        loop.quit();
    };
    QObject receiver; // gone first: the calls posted to it are dropped before what they use
    {
        const std::lock_guard lock(work->mutex);
        work->receiver = &receiver;
    }

    // The size only scales the progress bar; a name in foreign bytes must still find its file.
    struct stat status {};
    const qint64 size = ::stat(nativePath(source).constData(), &status) == 0 ? status.st_size : 0;
    try {
        // Detached: a thread blocked in the read of a hung share cannot be stopped, and the
        // window must go on without it.
        std::thread([work, source, folder, followLinks, flush, size] {
            copyInWorker(work, source, folder, followLinks, flush, size);
        }).detach();
    } catch (const std::system_error&) {
        copyInWorker(work, source, folder, followLinks, flush, size);
    }

    // Until the progress window is there, the user's input waits: nothing may start a second
    // operation from the owner. Once it is shown, it blocks the owner itself. A cancel or the
    // session's end stops the wait at once; so do the program's ending event loops (-1).
    while (!finishedSeen && !work->cancellation.isCancelled() && !SessionEnd::isEnding()) {
        if (loop.exec(window.isShown() ? QEventLoop::AllEvents
                                       : QEventLoop::ExcludeUserInputEvents) < 0)
            break;
    }

    std::unique_lock lock(work->mutex);
    if (!work->finished) {
        work->cancellation.cancel();
        const std::chrono::milliseconds wait =
            SessionEnd::isEnding() ? std::min(stopWaitAtSessionEnd,
                                              std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  SessionEnd::deadline().remainingTimeAsDuration()))
                                   : stopWait;
        work->ended.wait_for(lock, wait, [&work] { return work->finished; });
    }
    work->receiver = nullptr;
    work->showProgress = nullptr;
    work->wake = nullptr;
    if (!work->finished) {
        // Left behind, still reading: what it has written so far goes now where it has a name,
        // and whatever it makes later it removes itself once its read returns.
        lock.unlock();
        ShellWorkResult cancelled = ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
        const QString unfinished = work->cancellation.unfinishedPath();
        if (!unfinished.isEmpty() && ::unlink(nativePath(unfinished).constData()) != 0 &&
            errno != ENOENT)
            cancelled.leftBehind = unfinished;
        return cancelled;
    }
    const ShellWorkResult result = work->result;
    const QString copied = work->copied;
    lock.unlock();

    // Cancelled at any point, even after the last byte: the copy is not kept.
    if (work->cancellation.isCancelled()) {
        ShellFileWork::removeQuietly(copied);
        return ShellWorkResult::failure(G_IO_ERROR_CANCELLED, source);
    }
    if (!result.ok) {
        ShellFileWork::removeQuietly(copied);
        return result;
    }
    temporaryPath = copied;
    return result;
}

} // namespace zorvane
