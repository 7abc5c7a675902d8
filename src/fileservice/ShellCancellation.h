#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <mutex>

namespace zorvane {

// A cancel switch shared by the window thread and a worker thread (a GCancellable inside, for
// GIO's copy; none where GIO cannot be opened, and then only this program's own work checks).
// cancel() may be called from any thread; the work it is handed to stops at its next check.
// It also holds the name of the work's unfinished file, for a window that stops waiting for a
// worker held up in a read and removes what the worker made.
class ShellCancellation {
public:
    ShellCancellation();
    ~ShellCancellation();
    ShellCancellation(const ShellCancellation&) = delete;
    ShellCancellation& operator=(const ShellCancellation&) = delete;

    void cancel();
    bool isCancelled() const;
    void* gCancellable() const; // the GCancellable* for GIO calls, or null

    // Runs `place`, which names the complete copy and returns that name, unless the work was
    // cancelled first (false). A window looking for the name meanwhile waits for it.
    bool placeUnlessCancelled(const std::function<QString()>& place);
    // The name the unfinished file already has (a file system without unnamed files).
    void setUnfinishedPath(const QString& path);
    QString unfinishedPath() const;

private:
    void* cancellable_;
    std::atomic_bool cancelled_ = false;
    mutable std::mutex namingMutex_;
    QString unfinishedPath_; // guarded by namingMutex_
};

} // namespace zorvane
