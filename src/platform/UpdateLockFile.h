#pragma once

#include <QString>

namespace zorvane {

// The file whose advisory lock (flock) stands for updates of the file at `path`. It is not the
// file itself, which anyone who may read it could lock: it lives in a folder only the user can
// open (the user's runtime folder /run/user/UID, else a private zorvane-UID in /tmp), named
// after the device and inode of the file's folder and the file's name, links resolved, so
// every path to one file finds one lock and two programs of the user exclude each other.
// Returns an open descriptor, or -1 where no private folder can be had or `path` has no folder.
int openUpdateLockFile(const QString& path);

// Whether another holds the update lock of `path` at this moment: why a write was refused.
bool updateLockHeldElsewhere(const QString& path);

} // namespace zorvane
