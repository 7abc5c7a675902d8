#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// EUC-JP as Japanese Unix systems wrote it: ASCII in one byte, JIS X 0208 in two bytes of
// 0xA1–0xFE, half-width katakana as 0x8E and one byte of 0xA1–0xDF, JIS X 0212 as 0x8F and two
// bytes of 0xA1–0xFE. ISO-2022-JP carries the same character sets, so its decoder looks its
// pairs up here too.
class EucJpCodec {
public:
    // The character of a JIS X 0208 code given as its EUC-JP bytes (each 0xA1–0xFE), or 0 when
    // the code has none.
    static char16_t jisX0208(unsigned char first, unsigned char second);

    // The character of a JIS X 0212 code given as the two EUC-JP bytes after 0x8F, or 0.
    static char16_t jisX0212(unsigned char first, unsigned char second);

    // Decodes every byte. A byte that starts no character becomes U+FFFD; a pair or triple of
    // the right shape whose code has no character becomes one U+FFFD; so does a character cut
    // by the end of the bytes. A NUL byte is U+0000.
    static QString decode(QByteArrayView bytes);

    // Length of the longest start of `bytes` that does not end inside a character.
    static qsizetype completeLength(QByteArrayView bytes);
};

} // namespace zorvane
