#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// What the first bytes of a file say it is, beyond plain text: a compressed stream or an
// archive, told by the content alone (a log.1 may be gzip, a notes.gz plain text).
enum class PackedFormat { None, Gzip, Bzip2, Xz, Zstd, Lz4, Zip, Tar, SevenZip, Cpio };

// The format whose signature begins `head` (for tar, the header of its first member), or None.
PackedFormat packedFormatOf(QByteArrayView head);

// gzip, bzip2, xz, zstd and lz4: one stream that decompresses into one file.
bool isCompressedStream(PackedFormat format);

// The format's usual name, as the viewer's description gives it ("gzip", "7z").
QString packedFormatName(PackedFormat format);

} // namespace zorvane
