#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// The marker line that says the file goes on.
QString continuationMarker();

// The head of a file as the viewer shows it, or the error number that kept it from being read.
struct PreviewResult {
    int errorNumber = 0; // 0 on success
    QString text;        // the preview text with its CR LF pairs (empty on failure)
};

// Reads the head of the file at `fullPath`: at most 51 lines or 2500 characters, then the
// marker line. Reads until the text reaches a limit, but never more than previewByteBound
// bytes, whatever the file's size, and never blocks on a FIFO, socket or device (error 54).
PreviewResult buildPreview(const QString& fullPath);

// The preview text of the first bytes of a file. `wholeFile` tells whether the file ends with
// these bytes. The encoding is decided on the first previewFirstRead of these bytes
// (JapaneseTextGuess): UTF-16 with a byte-order mark, UTF-8 with a mark or when valid with a
// multibyte character, ISO-2022-JP, EUC-JP, and code page 932 otherwise.
QString previewTextOf(QByteArrayView head, bool wholeFile);

} // namespace zorvane
