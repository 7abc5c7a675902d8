#pragma once

#include "preview/PreviewEncoding.h"

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// The marker line that says the file goes on.
QString continuationMarker();

// The head of a file as the viewer shows it, or the error number that kept it from being read.
struct PreviewResult {
    int errorNumber = 0; // 0 on success
    QString text;        // the preview text with its CR LF pairs (empty on failure)
    QString description; // how the bytes were read: the encoding, the compression, the archive
};

// Reads the head of the file at `fullPath`: at most 51 lines or 2500 characters, then the
// marker line. Reads until the text reaches a limit, but never more than previewByteBound
// bytes, whatever the file's size, and never blocks on a FIFO, socket or device (error 54).
// The text is decoded as `choice` says; a compressed file shows the head of its content and an
// archive its table of contents (see packedPreview), except in the hex view.
PreviewResult buildPreview(const QString& fullPath,
                           PreviewEncoding choice = PreviewEncoding::Automatic);

// The preview of the first bytes of a plain file (not compressed, not an archive) as `choice`
// reads them: as text in the encoding told from them or chosen, or as the hex view.
PreviewResult plainPreview(QByteArrayView head, bool wholeFile, PreviewEncoding choice);

// The encoding the preview reads the first bytes of a file in, told from the first
// previewFirstRead of them.
ContentEncoding previewEncodingOf(QByteArrayView head, bool wholeFile);

// The preview text of the first bytes of a file. `wholeFile` tells whether the file ends with
// these bytes. The encoding is decided on the first previewFirstRead of these bytes
// (JapaneseTextGuess): UTF-16 with a byte-order mark, UTF-8 with a mark or when valid with a
// multibyte character, ISO-2022-JP, EUC-JP, and code page 932 otherwise.
QString previewTextOf(QByteArrayView head, bool wholeFile);
// The same, decoded in `encoding`; a byte-order mark of that encoding is not shown.
QString previewTextOf(QByteArrayView head, bool wholeFile, ContentEncoding encoding);

} // namespace zorvane
