#pragma once

#include <QtGlobal>

namespace zorvane {

// Bytes read in order, as libarchive and the stream decoders take them: a file, bytes in memory,
// or what a compressed stream expands to.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to `maxBytes` bytes into `data`: the count, 0 at the end, -1 when no more can be
    // read (an I/O error, damaged data, the bounds used up).
    virtual qint64 read(char* data, qint64 maxBytes) = 0;

    // Moves the read position as lseek does: the new position, or -1 where that is not possible.
    virtual qint64 seek(qint64 offset, int whence) {
        Q_UNUSED(offset);
        Q_UNUSED(whence);
        return -1;
    }
};

} // namespace zorvane
