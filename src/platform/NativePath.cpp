#include "platform/NativePath.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace zorvane {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isEscapeUnit(char16_t unit) {
    return unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF;
}

// Whether the unit at `i` stands for a byte. A low surrogate that completes a pair is half of a
// character (some kanji of CJK Extension B have their low half in the range of the escapes);
// pathFromNative never puts an escape after a high surrogate.
bool isEscapeAt(QStringView text, qsizetype i) {
    return isEscapeUnit(text[i].unicode()) && !(i > 0 && text[i - 1].isHighSurrogate());
}

// The length of the strictly valid UTF-8 sequence at `at` (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when the byte there does not start one.
qsizetype validSequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF)
            return 0;
    }
    return length;
}

QString displayPart(const QString& part) {
    if (!holdsForeignBytes(part))
        return part;
    QStringDecoder cp932("windows-31j", QStringDecoder::Flag::Stateless);
    const QString decoded = cp932(nativePath(part));
    if (!cp932.hasError() && !decoded.contains(QChar(QChar::ReplacementCharacter)))
        return decoded;
    QString shown;
    for (qsizetype i = 0; i < part.size(); ++i) {
        if (isEscapeAt(part, i))
            shown += QStringLiteral("\\x") +
                     QString::number(part[i].unicode() - EscapeBase, 16).toUpper();
        else
            shown += part[i];
    }
    return shown;
}

} // namespace

QByteArray nativePath(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = path.at(i).unicode();
        if (isEscapeAt(path, i)) {
            bytes.append(static_cast<char>(unit - EscapeBase));
            continue;
        }
        // Everything else as UTF-8; a surrogate pair is one character.
        const qsizetype length =
            QChar::isHighSurrogate(unit) && i + 1 < size && path.at(i + 1).isLowSurrogate() ? 2 : 1;
        bytes.append(QStringView(path).mid(i, length).toUtf8());
        i += length - 1;
    }
    return bytes;
}

QString pathFromNative(QByteArrayView native) {
    // Most names are ASCII, which reads the same in every encoding: one conversion for them.
    if (std::all_of(native.begin(), native.end(),
                    [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return QString::fromLatin1(native);
    QString text;
    text.reserve(native.size());
    qsizetype at = 0;
    while (at < native.size()) {
        // Runs of valid UTF-8 are decoded at once.
        qsizetype end = at;
        while (end < native.size()) {
            const qsizetype length = validSequenceLength(native, end);
            if (length == 0)
                break;
            end += length;
        }
        if (end > at)
            text += QString::fromUtf8(native.sliced(at, end - at));
        if (end < native.size()) {
            text +=
                QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(native[end])));
            ++end;
        }
        at = end;
    }
    return text;
}

bool holdsForeignBytes(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isEscapeAt(path, i))
            return true;
    }
    return false;
}

QString displayPath(const QString& path) {
    if (!holdsForeignBytes(path))
        return path;
    QStringList parts = path.split(QChar(u'/'));
    for (QString& part : parts)
        part = displayPart(part);
    return parts.join(QChar(u'/'));
}

} // namespace zorvane
