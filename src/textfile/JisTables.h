#pragma once

namespace zorvane::jis {

// The Japanese character sets the text decoders look characters up in, compiled in. The build
// writes them from the platform's own converters (Qt's "windows-31j" and "EUC-JP", see
// generator/make_jis_tables.cpp), so they hold the same mappings, and reading a Japanese file
// opens no converter. 0 marks a code without a character (no code of these sets maps to NUL).

// Code page 932: the single bytes 0x80–0xFF (0 also for the lead bytes), and the pairs of a lead
// byte (0x81–0x9F, 0xE0–0xFC) and a trail byte (0x40–0xFC).
inline constexpr int Cp932TrailCount = 0xFC - 0x40 + 1;
inline constexpr int Cp932LeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
extern const char16_t cp932SingleBytes[0x80];
extern const char16_t cp932Pairs[Cp932LeadCount * Cp932TrailCount];

// JIS X 0208 and JIS X 0212 by row and cell, each 0xA1–0xFE as EUC-JP writes them.
inline constexpr int JisRowSize = 94;
extern const char16_t jisX0208[JisRowSize * JisRowSize];
extern const char16_t jisX0212[JisRowSize * JisRowSize];

inline bool isCp932Lead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool isCp932Trail(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The character of a code page 932 byte that is no lead byte (ASCII stands for itself), or 0.
inline char16_t cp932SingleByte(unsigned char byte) {
    return byte >= 0x80 ? cp932SingleBytes[byte - 0x80] : char16_t(byte);
}

// The character of a lead byte and the byte after it, or 0.
inline char16_t cp932Pair(unsigned char lead, unsigned char trail) {
    if (!isCp932Lead(lead) || !isCp932Trail(trail))
        return 0;
    const int row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
    return cp932Pairs[row * Cp932TrailCount + (trail - 0x40)];
}

inline bool isJisByte(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

// The character of a JIS X 0208 or JIS X 0212 code in its EUC-JP bytes, or 0.
inline char16_t jisX0208At(unsigned char first, unsigned char second) {
    return isJisByte(first) && isJisByte(second)
               ? jisX0208[(first - 0xA1) * JisRowSize + (second - 0xA1)]
               : 0;
}
inline char16_t jisX0212At(unsigned char first, unsigned char second) {
    return isJisByte(first) && isJisByte(second)
               ? jisX0212[(first - 0xA1) * JisRowSize + (second - 0xA1)]
               : 0;
}

} // namespace zorvane::jis
