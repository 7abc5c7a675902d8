#pragma once

#include <QString>

#include <chrono>

namespace zorvane {

// Holds the update lock of a file (UpdateLockFile) from before it is read until after it has
// been replaced, so that two writers (two windows, two threads) never read the same old content
// and lose each other's changes. A lock held elsewhere is waited for a bounded time, with the
// window answering, and never beyond the session's end (SessionEnd); a holder that keeps it
// longer makes the update wait no more: isBusy(), and the writer leaves the file to the holder
// and reports it. Where no lock can be had at all (no private folder, a file system without
// locks), nothing is held and the write goes on as before.
class FileUpdateLock {
public:
    static constexpr std::chrono::milliseconds patience{2000};

    explicit FileUpdateLock(const QString& path, std::chrono::milliseconds wait = patience);
    ~FileUpdateLock();
    FileUpdateLock(const FileUpdateLock&) = delete;
    FileUpdateLock& operator=(const FileUpdateLock&) = delete;

    bool isLocked() const { return descriptor_ >= 0; }
    // Another held the lock all the time this one waited: the file is not to be updated now.
    bool isBusy() const { return busy_; }

private:
    int descriptor_ = -1;
    bool busy_ = false;
};

} // namespace zorvane
