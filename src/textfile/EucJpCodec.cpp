#include "textfile/EucJpCodec.h"

#include <QList>
#include <QStringDecoder>

#include <array>
#include <memory>

namespace zorvane {

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr int RowSize = 94; // bytes 0xA1–0xFE

bool isJisByte(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xFE;
}

bool isHalfWidthKana(unsigned char byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}

std::size_t cell(unsigned char first, unsigned char second) {
    return std::size_t(first - 0xA1) * RowSize + std::size_t(second - 0xA1);
}

// Both JIS planes as the platform's EUC-JP converter maps them, probed once. Qt hands back
// U+001A or U+FFFD for codes without a character, and these must come out as one U+FFFD per
// code here, whatever the converter does with the bytes after them.
class EucJpTable {
public:
    EucJpTable() {
        plane0208_ = std::make_unique<Plane>();
        plane0212_ = std::make_unique<Plane>();
        plane0208_->fill(0);
        plane0212_->fill(0);
        probe(*plane0208_, QByteArray());
        probe(*plane0212_, QByteArray(1, '\x8F'));
    }

    char16_t at0208(unsigned char first, unsigned char second) const {
        return (*plane0208_)[cell(first, second)];
    }
    char16_t at0212(unsigned char first, unsigned char second) const {
        return (*plane0212_)[cell(first, second)];
    }

private:
    using Plane = std::array<char16_t, RowSize * RowSize>;

    // Every code is followed by a line feed, which no multibyte character contains, so the
    // decoded text splits back into one piece per code.
    static void probe(Plane& plane, const QByteArray& prefix) {
        QByteArray bytes;
        bytes.reserve(RowSize * RowSize * (prefix.size() + 3));
        for (int first = 0xA1; first <= 0xFE; ++first) {
            for (int second = 0xA1; second <= 0xFE; ++second) {
                bytes += prefix;
                bytes += char(first);
                bytes += char(second);
                bytes += '\n';
            }
        }
        QStringDecoder decoder("EUC-JP", QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            return; // no converter: only ASCII and half-width katakana are known
        const QString decoded = decoder.decode(bytes);
        const QList<QStringView> pieces = QStringView(decoded).split(u'\n');
        if (pieces.size() < qsizetype(plane.size()))
            return;
        for (std::size_t i = 0; i < plane.size(); ++i) {
            const QStringView piece = pieces.at(qsizetype(i));
            if (piece.size() != 1)
                continue;
            const char16_t unit = piece.at(0).unicode();
            if (unit < 0x80 || unit == Replacement || QChar::isSurrogate(unit))
                continue;
            plane[i] = unit;
        }
    }

    std::unique_ptr<Plane> plane0208_;
    std::unique_ptr<Plane> plane0212_;
};

const EucJpTable& table() {
    static const EucJpTable instance;
    return instance;
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
        const char16_t unit = table().at0212(data[at + 1], data[at + 2]);
        return {3, unit != 0 ? unit : Replacement, false};
    }
    if (isJisByte(byte)) {
        if (left < 2)
            return {1, Replacement, true};
        if (!isJisByte(data[at + 1]))
            return {};
        const char16_t unit = table().at0208(byte, data[at + 1]);
        return {2, unit != 0 ? unit : Replacement, false};
    }
    return {};
}

} // namespace

char16_t EucJpCodec::jisX0208(unsigned char first, unsigned char second) {
    return isJisByte(first) && isJisByte(second) ? table().at0208(first, second) : 0;
}

char16_t EucJpCodec::jisX0212(unsigned char first, unsigned char second) {
    return isJisByte(first) && isJisByte(second) ? table().at0212(first, second) : 0;
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
