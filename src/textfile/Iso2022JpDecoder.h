#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// Decodes ISO-2022-JP (JIS) text, the seven-bit form of mail and news: escape sequences switch
// between ASCII, JIS-Roman, half-width katakana, JIS X 0208 and JIS X 0212. The set in force
// carries from one call to the next, so a file decoded line by line reads as it does in one
// piece even where a line does not switch back to ASCII before its end.
class Iso2022JpDecoder {
public:
    // Decodes the next piece of the text. An escape sequence the decoder does not know stays
    // in the text as it is; one cut by the end of the piece, and a pair cut there, become one
    // U+FFFD (a piece ends at a line end or where the bytes read stop, and neither can be inside
    // a sequence). Bytes of 0x80 and above, and pairs without a character, become U+FFFD.
    QString decode(QByteArrayView bytes);

    // Whether the bytes hold an escape sequence that selects one of the Japanese sets.
    static bool selectsJapanese(QByteArrayView bytes);

private:
    enum class Set { Ascii, Roman, Kana, Jis0208, Jis0212 };
    Set set_ = Set::Ascii;
};

} // namespace zorvane
