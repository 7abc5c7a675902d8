#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zorvane {

// The encodings the program reads and writes: code page 932 (Shift-JIS with the NEC and IBM
// extensions), UTF-8 and UTF-16 in either byte order.
enum class TextEncoding { Cp932, Utf8, Utf16LE, Utf16BE };

// Whether decodeText drops a byte-order mark at the start of the bytes it is given.
enum class LeadingMark { Skip, Keep };

// Text conversions between the bytes of files and the program's wide strings.
class TextCodec {
public:
    // The state of a strict UTF-8 check over bytes that arrive in pieces.
    struct Utf8Check {
        bool valid = true;      // no invalid sequence so far
        bool multibyte = false; // at least one complete multibyte character
    };

    // Checks the next piece of a stream of bytes. Returns how many bytes at its end start a
    // character that the piece cuts: they are to be given again at the front of the next
    // piece (at the very end of the stream they do not count against the bytes).
    static qsizetype checkUtf8(QByteArrayView bytes, Utf8Check& check);

    // The encoding of a file's bytes: a UTF-16 byte-order mark (either order) means UTF-16; a
    // UTF-8 byte-order mark, or strictly valid UTF-8 with at least one multibyte character,
    // means UTF-8; anything else is code page 932. A multibyte character cut by the end of the
    // bytes does not change the decision.
    static TextEncoding detectEncoding(QByteArrayView bytes);

    // Length in bytes of the byte-order mark at the start of `bytes` (UTF-8 3, UTF-16 2),
    // 0 when there is none.
    static qsizetype byteOrderMarkLength(QByteArrayView bytes);

    // The byte-order mark of an encoding; empty for code page 932.
    static QByteArray byteOrderMark(TextEncoding encoding);

    // Decodes every byte. Invalid bytes become U+FFFD, NUL bytes become U+0000 (they never end
    // the text), an incomplete character at the end becomes U+FFFD. A byte-order mark of the
    // same encoding at the very start is dropped unless `mark` is Keep (pass Keep when the
    // bytes are a later piece of a file).
    static QString decodeText(QByteArrayView bytes, TextEncoding encoding,
                              LeadingMark mark = LeadingMark::Skip);

    // Length of the longest start of `bytes` that does not end inside a multibyte character:
    // a caller that read a fixed number of bytes decodes only this much.
    static qsizetype completeLength(QByteArrayView bytes, TextEncoding encoding);

    // Encodes the text without a byte-order mark. Characters code page 932 cannot hold come out
    // as its substitution bytes: ask canEncodeCp932 first.
    static QByteArray encodeText(QStringView text, TextEncoding encoding);

    // True when every character of the text survives a round trip through code page 932.
    static bool canEncodeCp932(QStringView text);

    // The encoding for writing a file: UTF-8 and UTF-16 files keep their encoding; otherwise
    // code page 932 when every character of `text` can be written in it and the written bytes
    // are detected as code page 932 again (a run of half-width katakana can form valid UTF-8),
    // else UTF-8.
    static TextEncoding encodingForWriting(QStringView text, TextEncoding readAs);

    // Number of bytes the text takes in the encoding (no byte-order mark).
    static qsizetype byteLength(QStringView text, TextEncoding encoding);

    // The longest start of the text that takes at most `maxBytes` bytes in the encoding; a
    // multibyte character (or a surrogate pair) is kept whole or dropped whole.
    static QString cutToBytes(const QString& text, TextEncoding encoding, qsizetype maxBytes);
};

} // namespace zorvane
