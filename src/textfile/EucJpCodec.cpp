#include "textfile/EucJpCodec.h"

#include "textfile/JisTables.h"

namespace zorvane {

namespace {

constexpr char16_t Replacement = 0xFFFD;

using jis::isJisByte;

bool isHalfWidthKana(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

// How one character starts at data[at]: its length in bytes and its text (0 for a character cut
// by the end, Replacement for bytes that form none).
struct Step {
    int length = 1;
    char16_t unit = Replacement;
    bool cut = false;
};

Step stepAt(const unsigned char* data, qsizetype size, qsizetype at) {
    const unsigned char byte = data[at];
    const qsizetype left = size - at;
    if (byte < 0x80)
        return {1, char16_t(byte), false};
    if (byte == 0x8E) {
        if (left < 2)
            return {1, Replacement, true};
        if (!isHalfWidthKana(data[at + 1]))
            return {};
        return {2, char16_t(0xFF61 + (data[at + 1] - 0xA1)), false};
    }
    if (byte == 0x8F) {
        if (left < 2 || (left < 3 && isJisByte(data[at + 1])))
            return {1, Replacement, true};
        if (!isJisByte(data[at + 1]) || !isJisByte(data[at + 2]))
            return {};
        const char16_t unit = jis::jisX0212At(data[at + 1], data[at + 2]);
        return {3, unit != 0 ? unit : Replacement, false};
    }
    if (isJisByte(byte)) {
        if (left < 2)
            return {1, Replacement, true};
        if (!isJisByte(data[at + 1]))
            return {};
        const char16_t unit = jis::jisX0208At(byte, data[at + 1]);
        return {2, unit != 0 ? unit : Replacement, false};
    }
    return {};
}

} // namespace

char16_t EucJpCodec::jisX0208(unsigned char first, unsigned char second) {
    return jis::jisX0208At(first, second);
}

char16_t EucJpCodec::jisX0212(unsigned char first, unsigned char second) {
    return jis::jisX0212At(first, second);
}

QString EucJpCodec::decode(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    QString text;
    text.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const Step step = stepAt(data, size, i);
        text.append(QChar(step.unit));
        // A cut character is one replacement for all of its bytes.
        i = step.cut ? size : i + step.length;
    }
    return text;
}

qsizetype EucJpCodec::completeLength(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const Step step = stepAt(data, size, i);
        if (step.cut)
            return i;
        i += step.length;
    }
    return size;
}

} // namespace zorvane
