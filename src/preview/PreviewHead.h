#pragma once

#include <QByteArray>
#include <QString>

namespace zorvane {

// How many bytes of a file the preview ever reads. 2500 UTF-16 units with their line ends come
// from at most 3 bytes per unit in any encoding the preview decodes (UTF-8 3, code page 932
// and UTF-16 2): about 7500 bytes, plus a byte-order mark and a look-ahead of a byte or two.
inline constexpr qsizetype previewByteBound = 8 * 1024;

// The first bytes of a file as the preview reads them.
struct PreviewHead {
    int errorNumber = 0;    // 0 when the bytes could be read
    QByteArray bytes;       // at most the bound asked for
    bool wholeFile = false; // the file ends within `bytes`
};

// Reads at most `byteBound` bytes from the start of the file at `path` and closes it again.
// Anything but a regular file (folder, FIFO, socket, device) is refused with 54 without a
// blocking open; an open that fails gives the error number of its failure, a read that fails
// after the open gives 57.
PreviewHead readPreviewHead(const QString& path, qsizetype byteBound = previewByteBound);

} // namespace zorvane
