#include "textfile/TextCodec.h"

#include "textfile/JisTables.h"

#include <QStringEncoder>

namespace zorvane {

namespace {

constexpr char16_t Replacement = 0xFFFD;

using jis::isCp932Lead;

// Whether the character is written as one byte in code page 932.
bool isCp932SingleByte(char16_t unit) {
    if (unit < 0x80)
        return true;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        if (jis::cp932SingleByte(static_cast<unsigned char>(byte)) == unit)
            return true;
    return false;
}

QString decodeCp932(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            qsizetype end = i + 1;
            while (end < size && data[end] < 0x80)
                ++end;
            text.append(QLatin1StringView(bytes.data() + i, end - i));
            i = end;
        } else if (isCp932Lead(byte)) {
            if (i + 1 < size) {
                const char16_t unit = jis::cp932Pair(byte, data[i + 1]);
                if (unit != 0) {
                    text.append(QChar(unit));
                    i += 2;
                    continue;
                }
            }
            text.append(QChar(Replacement));
            ++i;
        } else {
            const char16_t unit = jis::cp932SingleByte(byte);
            text.append(QChar(unit == 0 ? Replacement : unit));
            ++i;
        }
    }
    return text;
}

// Facts about one UTF-8 sequence starting at a lead byte.
struct Utf8Lead {
    int length = 0; // 0: not a lead byte
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
};

Utf8Lead utf8Lead(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if ((byte >= 0xE1 && byte <= 0xEC) || byte == 0xEE || byte == 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {};
}

// How many bytes from `at` form a valid start of the sequence led by data[at] (1 when only the
// lead byte is valid, `length` when the sequence is complete).
int utf8ValidPrefix(const unsigned char* data, qsizetype size, qsizetype at, const Utf8Lead& lead) {
    int valid = 1;
    for (int k = 1; k < lead.length; ++k) {
        if (at + k >= size)
            break;
        const unsigned char byte = data[at + k];
        const unsigned char low = k == 1 ? lead.secondLow : static_cast<unsigned char>(0x80);
        const unsigned char high = k == 1 ? lead.secondHigh : static_cast<unsigned char>(0xBF);
        if (byte < low || byte > high)
            break;
        ++valid;
    }
    return valid;
}

QString decodeUtf8(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            text.append(QChar(static_cast<char16_t>(byte)));
            ++i;
            continue;
        }
        const Utf8Lead lead = utf8Lead(byte);
        if (lead.length == 0) {
            text.append(QChar(Replacement));
            ++i;
            continue;
        }
        const int valid = utf8ValidPrefix(data, size, i, lead);
        if (valid < lead.length) {
            // One replacement for the longest valid start of a sequence.
            text.append(QChar(Replacement));
            i += valid;
            continue;
        }
        char32_t code = byte & (0x7F >> lead.length);
        for (int k = 1; k < lead.length; ++k)
            code = (code << 6) | (data[i + k] & 0x3F);
        if (code >= 0x10000) {
            text.append(QChar(QChar::highSurrogate(code)));
            text.append(QChar(QChar::lowSurrogate(code)));
        } else {
            text.append(QChar(static_cast<char16_t>(code)));
        }
        i += lead.length;
    }
    return text;
}

QString decodeUtf16(QByteArrayView bytes, bool littleEndian) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    QString text;
    text.reserve(units + 1);
    auto unitAt = [&](qsizetype index) {
        const unsigned char first = data[2 * index];
        const unsigned char second = data[2 * index + 1];
        return littleEndian ? static_cast<char16_t>(first | (second << 8))
                            : static_cast<char16_t>((first << 8) | second);
    };
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = unitAt(i);
        if (QChar::isHighSurrogate(unit) && i + 1 < units && QChar::isLowSurrogate(unitAt(i + 1))) {
            text.append(QChar(unit));
            text.append(QChar(unitAt(i + 1)));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            text.append(QChar(Replacement));
        } else {
            text.append(QChar(unit));
        }
    }
    if (bytes.size() % 2 != 0)
        text.append(QChar(Replacement));
    return text;
}

bool startsWith(QByteArrayView bytes, QByteArrayView prefix) {
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

const QByteArrayView Utf8Mark("\xEF\xBB\xBF", 3);
const QByteArrayView Utf16LEMark("\xFF\xFE", 2);
const QByteArrayView Utf16BEMark("\xFE\xFF", 2);

QByteArrayView markOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return Utf8Mark;
    case TextEncoding::Utf16LE:
        return Utf16LEMark;
    case TextEncoding::Utf16BE:
        return Utf16BEMark;
    case TextEncoding::Cp932:
        break;
    }
    return {};
}

int utf8Length(char32_t code) {
    if (code < 0x80)
        return 1;
    if (code < 0x800)
        return 2;
    if (code < 0x10000)
        return 3;
    return 4;
}

} // namespace

TextEncoding TextCodec::detectEncoding(QByteArrayView bytes) {
    if (startsWith(bytes, Utf16LEMark))
        return TextEncoding::Utf16LE;
    if (startsWith(bytes, Utf16BEMark))
        return TextEncoding::Utf16BE;
    if (startsWith(bytes, Utf8Mark))
        return TextEncoding::Utf8;
    // Strictly valid UTF-8; a sequence cut by the end of the bytes does not count against it.
    TextCodec::Utf8Check scan;
    TextCodec::checkUtf8(bytes, scan);
    return scan.valid && scan.multibyte ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

qsizetype TextCodec::byteOrderMarkLength(QByteArrayView bytes) {
    if (startsWith(bytes, Utf16LEMark) || startsWith(bytes, Utf16BEMark))
        return 2;
    if (startsWith(bytes, Utf8Mark))
        return 3;
    return 0;
}

QByteArray TextCodec::byteOrderMark(TextEncoding encoding) {
    return markOf(encoding).toByteArray();
}

QString TextCodec::decodeText(QByteArrayView bytes, TextEncoding encoding, LeadingMark mark) {
    if (mark == LeadingMark::Skip && encoding != TextEncoding::Cp932 &&
        startsWith(bytes, markOf(encoding)))
        bytes = bytes.sliced(markOf(encoding).size());
    switch (encoding) {
    case TextEncoding::Cp932:
        return decodeCp932(bytes);
    case TextEncoding::Utf8:
        return decodeUtf8(bytes);
    case TextEncoding::Utf16LE:
        return decodeUtf16(bytes, true);
    case TextEncoding::Utf16BE:
        return decodeUtf16(bytes, false);
    }
    return {};
}

qsizetype TextCodec::completeLength(QByteArrayView bytes, TextEncoding encoding) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    switch (encoding) {
    case TextEncoding::Cp932: {
        qsizetype i = 0;
        while (i < size) {
            if (isCp932Lead(data[i])) {
                if (i + 1 == size)
                    return i;
                i += jis::cp932Pair(data[i], data[i + 1]) != 0 ? 2 : 1;
            } else {
                ++i;
            }
        }
        return size;
    }
    case TextEncoding::Utf8: {
        qsizetype i = 0;
        while (i < size) {
            const Utf8Lead lead = utf8Lead(data[i]);
            if (lead.length == 0) {
                ++i;
                continue;
            }
            const int valid = utf8ValidPrefix(data, size, i, lead);
            if (valid < lead.length && i + valid == size)
                return i;
            i += valid;
        }
        return size;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        qsizetype length = size - size % 2;
        if (length >= 2) {
            const unsigned char first = data[length - 2];
            const unsigned char second = data[length - 1];
            const char16_t last = encoding == TextEncoding::Utf16LE
                                      ? static_cast<char16_t>(first | (second << 8))
                                      : static_cast<char16_t>((first << 8) | second);
            if (QChar::isHighSurrogate(last))
                length -= 2;
        }
        return length;
    }
    }
    return size;
}

QByteArray TextCodec::encodeText(QStringView text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp932: {
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            return text.toLatin1();
        QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
        return encoder.encode(text);
    }
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        QByteArray bytes;
        bytes.reserve(text.size() * 2);
        const bool little = encoding == TextEncoding::Utf16LE;
        for (QChar c : text) {
            const char16_t unit = c.unicode();
            const char low = static_cast<char>(unit & 0xFF);
            const char high = static_cast<char>(unit >> 8);
            bytes.append(little ? low : high);
            bytes.append(little ? high : low);
        }
        return bytes;
    }
    }
    return {};
}

bool TextCodec::canEncodeCp932(QStringView text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return true;
    QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    return decodeCp932(bytes) == text;
}

TextEncoding TextCodec::encodingForWriting(QStringView text, TextEncoding readAs) {
    if (readAs != TextEncoding::Cp932)
        return readAs;
    if (!canEncodeCp932(text))
        return TextEncoding::Utf8;
    return detectEncoding(encodeText(text, TextEncoding::Cp932)) == TextEncoding::Cp932
               ? TextEncoding::Cp932
               : TextEncoding::Utf8;
}

qsizetype TextCodec::checkUtf8(QByteArrayView bytes, Utf8Check& check) {
    if (!check.valid)
        return 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80) {
            ++i;
            continue;
        }
        const Utf8Lead lead = utf8Lead(byte);
        if (lead.length == 0) {
            check.valid = false;
            return 0;
        }
        const int valid = utf8ValidPrefix(data, size, i, lead);
        if (valid < lead.length) {
            if (i + valid == size)
                return size - i; // cut by the end of this piece
            check.valid = false;
            return 0;
        }
        check.multibyte = true;
        i += lead.length;
    }
    return 0;
}

qsizetype TextCodec::byteLength(QStringView text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Cp932:
        return encodeText(text, encoding).size();
    case TextEncoding::Utf8:
        return text.toUtf8().size();
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return text.size() * 2;
    }
    return 0;
}

QString TextCodec::cutToBytes(const QString& text, TextEncoding encoding, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t unit = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        qsizetype cost = 0;
        switch (encoding) {
        case TextEncoding::Cp932:
            cost = pair ? 2 : (isCp932SingleByte(unit) ? 1 : 2);
            break;
        case TextEncoding::Utf8:
            cost = pair ? 4 : utf8Length(unit);
            break;
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            cost = units * 2;
            break;
        }
        if (bytes + cost > maxBytes)
            break;
        bytes += cost;
        i += units;
    }
    return text.left(i);
}

} // namespace zorvane
