#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace zorvane {

// The preview reads this many bytes of a file first, and tells the file's encoding from them.
// UTF-16 and code page 932 take at most 2 bytes per UTF-16 unit of the text, UTF-8 and EUC-JP
// at most 3, so in these encodings the text reaches a limit within the first read: 2501 units
// (the 2500 kept and the one that shows the cut) come from at most 7503 bytes, plus a
// byte-order mark and the look-ahead after a line end.
inline constexpr qsizetype previewFirstRead = 8 * 1024;

// Where the first read ends before the text reaches a limit, the preview reads on, but never
// beyond this bound. ISO-2022-JP spends bytes on escape sequences that give no text: a
// character takes at most 2 bytes, and the sequences that select its set at most 7 (ESC & @
// ESC $ ( B), so text that switches sets at every character still gives a unit per 9 bytes,
// and 2501 units come from at most 22,509 bytes; the rest covers the look-ahead after a line
// end. Only sequences that select a set and write nothing in it could ask for more; the
// preview then ends at the bound with the marker. The bound keeps every pick as quick as a
// read of 24 KiB, whatever the file's size or the length of its lines.
inline constexpr qsizetype previewByteBound = 24 * 1024;

// The first bytes of a file as the preview reads them.
struct PreviewHead {
    int errorNumber = 0;    // 0 when the bytes could be read
    QByteArray bytes;       // at most the bound asked for
    bool wholeFile = false; // the file ends within `bytes`
};

// Tells, from the head read so far, whether the preview needs more of the file.
using PreviewHeadWanted = std::function<bool(const PreviewHead&)>;

// Reads the start of the file at `path` and closes it again: first at most previewFirstRead
// bytes, then, while the file goes on and `wantsMore` (when given) answers true, on up to
// `byteBound` bytes in all. `wantsMore` is asked once for each head read, the last included.
// Anything but a regular file (folder, FIFO, socket, device) is refused with 54 without a blocking
// open; an open that fails gives the error number of its failure, a read that fails after the open
// gives 57.
PreviewHead readPreviewHead(const QString& path, qsizetype byteBound = previewByteBound,
                            const PreviewHeadWanted& wantsMore = {});

} // namespace zorvane
