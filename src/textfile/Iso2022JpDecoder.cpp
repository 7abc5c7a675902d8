#include "textfile/Iso2022JpDecoder.h"

#include "textfile/EucJpCodec.h"

#include <array>

namespace zorvane {

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char Escape = 0x1B;

struct Designation {
    QByteArrayView bytes; // after the escape byte
    int set;              // the Set it selects, as a number; -1 selects nothing
    bool japanese;
};

// ESC & @ announces the 1990 edition of JIS X 0208 before ESC $ B and selects nothing itself.
const std::array<Designation, 9> designations{{
    {"(B", 0, false},
    {"(J", 1, false},
    {"(H", 1, false},
    {"(I", 2, true},
    {"$@", 3, true},
    {"$B", 3, true},
    {"$(B", 3, true},
    {"$(D", 4, true},
    {"&@", -1, false},
}};

// What follows an escape byte: a whole designation, the start of one cut by the end of the
// bytes, or anything else.
struct EscapeMatch {
    const Designation* designation = nullptr;
    bool cut = false;
};

EscapeMatch matchEscape(QByteArrayView after) {
    EscapeMatch match;
    for (const Designation& candidate : designations) {
        if (after.startsWith(candidate.bytes)) {
            match.designation = &candidate;
            return match;
        }
        if (after.size() < candidate.bytes.size() && candidate.bytes.startsWith(after))
            match.cut = true;
    }
    return match;
}

bool isGraphic(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7E;
}

} // namespace

QString Iso2022JpDecoder::decode(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    QString text;
    text.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte == Escape) {
            const EscapeMatch match = matchEscape(bytes.sliced(i + 1));
            if (match.designation) {
                if (match.designation->set >= 0)
                    set_ = Set(match.designation->set);
                i += 1 + match.designation->bytes.size();
                continue;
            }
            if (match.cut) {
                text.append(QChar(Replacement));
                break;
            }
            text.append(QChar(char16_t(byte))); // an escape of another kind, such as a colour
            ++i;
            continue;
        }
        if (byte >= 0x80) {
            text.append(QChar(Replacement));
            ++i;
            continue;
        }
        // Control bytes and the blank mean the same in every set.
        if (!isGraphic(byte)) {
            text.append(QChar(char16_t(byte)));
            ++i;
            continue;
        }
        switch (set_) {
        case Set::Ascii:
            text.append(QChar(char16_t(byte)));
            ++i;
            break;
        case Set::Roman:
            text.append(QChar(byte == 0x5C   ? char16_t(0x00A5)
                              : byte == 0x7E ? char16_t(0x203E)
                                             : char16_t(byte)));
            ++i;
            break;
        case Set::Kana:
            text.append(QChar(byte <= 0x5F ? char16_t(0xFF61 + (byte - 0x21)) : Replacement));
            ++i;
            break;
        case Set::Jis0208:
        case Set::Jis0212: {
            if (i + 1 == size) {
                text.append(QChar(Replacement)); // a pair cut by the end
                ++i;
                break;
            }
            const unsigned char second = data[i + 1];
            if (!isGraphic(second)) {
                text.append(QChar(Replacement));
                ++i;
                break;
            }
            const unsigned char high = byte | 0x80;
            const unsigned char low = second | 0x80;
            const char16_t unit = set_ == Set::Jis0208 ? EucJpCodec::jisX0208(high, low)
                                                       : EucJpCodec::jisX0212(high, low);
            text.append(QChar(unit != 0 ? unit : Replacement));
            i += 2;
            break;
        }
        }
    }
    return text;
}

bool Iso2022JpDecoder::selectsJapanese(QByteArrayView bytes) {
    qsizetype at = bytes.indexOf(Escape);
    while (at >= 0) {
        const EscapeMatch match = matchEscape(bytes.sliced(at + 1));
        if (match.designation && match.designation->japanese)
            return true;
        at = bytes.indexOf(Escape, at + 1);
    }
    return false;
}

} // namespace zorvane
