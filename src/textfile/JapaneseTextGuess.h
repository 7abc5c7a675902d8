#pragma once

#include <QByteArrayView>

namespace zorvane {

// The encodings in which the preview reads a file's contents.
enum class ContentEncoding { Cp932, EucJp, Iso2022Jp, Utf8, Utf16LE, Utf16BE };

// Tells the encoding of Japanese text from its first bytes.
class JapaneseTextGuess {
public:
    // The encoding of a file whose first bytes are `head` (`wholeFile`: the file ends there).
    // Byte-order marks and UTF-8 decide as they do for the settings files (except that valid
    // UTF-8 of only two-byte characters that are no letters reads as EUC-JP when that reads
    // better: such short EUC-JP text is valid UTF-8 by chance); seven-bit text with
    // an escape sequence that selects a Japanese set is ISO-2022-JP. Otherwise the bytes are
    // read both as code page 932 and as EUC-JP: a reading with fewer bytes that form no
    // character wins; where both read every byte, the one that reads more like Japanese text
    // (hiragana, punctuation, common kanji against rare rows and runs of half-width katakana)
    // wins, and code page 932 on a tie. A character cut by the end of a head that is not the
    // whole file does not count against a reading.
    static ContentEncoding guess(QByteArrayView head, bool wholeFile);
};

} // namespace zorvane
