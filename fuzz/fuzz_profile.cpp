// plok.ini: a value written through the profile service reads back as written, whatever the
// file held before; every other key reads as before; a value that fits its read width in code
// page 932 bytes is never cut, whatever the file's encoding; a failed write changes nothing.
#include "FuzzSupport.h"

#include "textfile/ProfileFile.h"
#include "textfile/TextCodec.h"

#include <array>

using namespace zorvane;
using namespace zorvane::fuzz;

namespace {

const std::array<QString, 4> Sections = {QStringLiteral("OpProgram"), QStringLiteral("Font"),
                                         QStringLiteral("Extention"), QStringLiteral("Form")};
const std::array<QString, 4> Keys = {QStringLiteral("Name"), QStringLiteral("Program1"),
                                     QStringLiteral("Ext1"), QStringLiteral("Top")};
constexpr int Unlimited = 1 << 20;
const QString Absent = QStringLiteral("<absent>");

// What reading gives for a written value: it ends at a NUL, line breaks became blanks, blanks
// and tabs around it are dropped; quotes around it stay (the writer gives the reader a pair of
// its own to remove).
QString readForm(QString value) {
    if (const qsizetype nul = value.indexOf(QChar(u'\0')); nul >= 0)
        value.truncate(nul);
    value.replace(QChar(u'\r'), QChar(u' '));
    value.replace(QChar(u'\n'), QChar(u' '));
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && (value[start] == u' ' || value[start] == u'\t'))
        ++start;
    while (end > start && (value[end - 1] == u' ' || value[end - 1] == u'\t'))
        --end;
    return value.mid(start, end - start);
}

// The original platform's byte count: one byte for ASCII and half-width katakana, two for
// anything else (a character code page 932 lacks included).
int cp932Width(const QString& text) {
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        width += (unit < 0x80 || (unit >= 0xFF61 && unit <= 0xFF9F)) ? 1 : 2;
    }
    return width;
}

QString valueFrom(uint8_t how, const QByteArray& bytes) {
    switch (how % 3) {
    case 0:
        return TextCodec::decodeText(bytes, TextEncoding::Cp932);
    case 1:
        return TextCodec::decodeText(bytes, TextEncoding::Utf8);
    default:
        return TextCodec::decodeText(bytes, TextEncoding::Utf16LE);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t choice = input.byte();
    const QString& section = Sections[choice & 3];
    const QString& key = Keys[(choice >> 2) & 3];
    const QString value = valueFrom(choice >> 4, input.bytes(input.byte()));
    const QByteArray original = input.rest();

    const QString path = scratchFolder() + QStringLiteral("/plok.ini");
    if (!writeBytes(path, original))
        return 0;
    const ProfileFile before = ProfileFile::load(path);
    std::array<QString, Sections.size() * Keys.size()> others;
    for (std::size_t s = 0; s < Sections.size(); ++s)
        for (std::size_t k = 0; k < Keys.size(); ++k)
            others[s * Keys.size() + k] = before.value(Sections[s], Keys[k], Absent, Unlimited);

    if (!ProfileFile::writeString(path, section, key, value)) {
        if (readBytes(path) != original)
            fail("a failed write changed the file");
        return 0;
    }
    const ProfileFile after = ProfileFile::load(path);
    const QString expected = readForm(value);
    const QString read = after.value(section, key, Absent, Unlimited);
    if (read != expected)
        fail("the written value reads back", expected, read);
    // The read width of the original platform: as many bytes as code page 932 needs, plus the
    // NUL.
    const QString withinWidth = after.value(section, key, Absent, cp932Width(expected) + 1);
    if (withinWidth != expected)
        fail("a value within its read width is not cut", expected, withinWidth);

    for (std::size_t s = 0; s < Sections.size(); ++s) {
        for (std::size_t k = 0; k < Keys.size(); ++k) {
            if (Sections[s] == section && Keys[k] == key)
                continue;
            const QString& old = others[s * Keys.size() + k];
            // Text that did not decode cleanly keeps its bytes, not its replacement characters.
            if (old.contains(QChar(0xFFFD)))
                continue;
            const QString now = after.value(Sections[s], Keys[k], Absent, Unlimited);
            if (now != old)
                fail("another key reads as before", old, now);
        }
    }
    return 0;
}
