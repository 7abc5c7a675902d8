#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// Replaces a file's content as one step: the bytes go into an unnamed file in the same folder,
// which is flushed to the disk and only then named and renamed over the old file. A crash, a
// kill or a full disk never leaves a half-written file or a temporary one; a write that fails
// leaves the old file as it was. An existing file keeps its permissions, owner and group (the
// group alone where the owner cannot be kept), and one the user may not write is left alone
// (error 70); a symbolic link keeps pointing at the file it names, which is the file replaced.
// FIFOs, sockets, devices and folders are never replaced (error 54).
class AtomicFileWriter {
public:
    // 0, or the program's error number of the failure.
    static int replace(const QString& path, QByteArrayView bytes);
};

} // namespace zorvane
