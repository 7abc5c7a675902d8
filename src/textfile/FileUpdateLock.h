#pragma once

#include <QByteArray>
#include <QString>

namespace zorvane {

// Holds an advisory lock (flock) on a file from before it is read until after it has been
// replaced, so that two writers (two windows, two threads) never read the same old content and
// lose each other's changes. The lock is on the file itself: a writer that waited finds the
// name replaced by the one before it, and locks the new file before it reads. A missing file is
// created empty to be locked (it reads like no file at all) and removed again when no write
// replaced it. Where the file cannot be opened
// or is no regular file, no lock is held and the write reports its own failure.
class FileUpdateLock {
public:
    explicit FileUpdateLock(const QString& path);
    ~FileUpdateLock();
    FileUpdateLock(const FileUpdateLock&) = delete;
    FileUpdateLock& operator=(const FileUpdateLock&) = delete;

    bool isLocked() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
    QByteArray createdName_; // the file made empty for the lock, if it was
};

} // namespace zorvane
