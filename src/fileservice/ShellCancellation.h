#pragma once

namespace zorvane {

// A cancel switch shared by the window thread and a worker thread (a GCancellable inside).
// cancel() may be called from any thread; the work it is handed to stops at its next check.
class ShellCancellation {
public:
    ShellCancellation();
    ~ShellCancellation();
    ShellCancellation(const ShellCancellation&) = delete;
    ShellCancellation& operator=(const ShellCancellation&) = delete;

    void cancel();
    bool isCancelled() const;
    void* gCancellable() const; // the GCancellable*, for GIO calls

private:
    void* cancellable_;
};

} // namespace zorvane
