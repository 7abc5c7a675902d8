// Writes the source of the compiled-in JIS tables (textfile/JisTables.h) from the platform's own
// converters, so the program decodes exactly as Qt's "windows-31j" and "EUC-JP" do without
// opening them at run time. Run by the build: make_jis_tables OUTPUT.cpp

#include "textfile/JisTables.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QStringDecoder>

#include <cstdio>
#include <vector>

namespace {

using namespace zorvane::jis;

constexpr char16_t Replacement = 0xFFFD;

// Decodes each code alone and keeps the single character it gives. Every code is followed by a
// line feed, which no multibyte character contains, so the decoded text splits back into one
// piece per code. Qt hands back U+001A or U+FFFD for a code without a character; an EUC-JP code
// that comes back as ASCII has none either.
std::vector<char16_t> probe(const char* encoding, const std::vector<QByteArray>& codes,
                            char16_t lowest) {
    std::vector<char16_t> units(codes.size(), 0);
    QByteArray bytes;
    for (const QByteArray& code : codes)
        bytes += code + '\n';
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid()) {
        std::fprintf(stderr, "make_jis_tables: Qt has no %s converter\n", encoding);
        std::exit(1);
    }
    const QString decoded = decoder.decode(bytes);
    const QList<QStringView> pieces = QStringView(decoded).split(u'\n');
    if (pieces.size() < qsizetype(codes.size())) {
        std::fprintf(stderr, "make_jis_tables: %s lost line feeds\n", encoding);
        std::exit(1);
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const QStringView piece = pieces.at(qsizetype(i));
        if (piece.size() != 1)
            continue;
        const char16_t unit = piece.at(0).unicode();
        if (unit < lowest || unit == 0x1A || unit == Replacement || QChar::isSurrogate(unit))
            continue;
        units[i] = unit;
    }
    return units;
}

QByteArray array(const char* name, const std::vector<char16_t>& units) {
    QByteArray text = QByteArray("const char16_t ") + name + "[] = {";
    for (std::size_t i = 0; i < units.size(); ++i) {
        text += i % 12 == 0 ? "\n   " : "";
        text += " 0x" + QByteArray::number(units[i], 16).rightJustified(4, '0') + ',';
    }
    return text + "\n};\n\n";
}

std::vector<QByteArray> jisCodes(const QByteArray& prefix) {
    std::vector<QByteArray> codes;
    for (int first = 0xA1; first <= 0xFE; ++first)
        for (int second = 0xA1; second <= 0xFE; ++second)
            codes.push_back(prefix + char(first) + char(second));
    return codes;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_jis_tables OUTPUT.cpp\n");
        return 2;
    }
    std::vector<QByteArray> singles;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        singles.push_back(QByteArray(1, char(isCp932Lead(byte) ? '?' : byte)));
    std::vector<char16_t> singleUnits = probe("windows-31j", singles, 0);
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        if (isCp932Lead(byte))
            singleUnits[std::size_t(byte - 0x80)] = 0;

    std::vector<QByteArray> pairs;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isCp932Lead(lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            pairs.push_back(isCp932Trail(trail) ? QByteArray() + char(lead) + char(trail)
                                                : QByteArray("?"));
    }
    std::vector<char16_t> pairUnits = probe("windows-31j", pairs, 0);
    for (std::size_t i = 0; i < pairs.size(); ++i)
        if (pairs[i].size() != 2)
            pairUnits[i] = 0;

    QByteArray source =
        "// Written by make_jis_tables from Qt's converters at build time; do not edit.\n"
        "#include \"textfile/JisTables.h\"\n\nnamespace zorvane::jis {\n\n";
    source += array("cp932SingleBytes", singleUnits);
    source += array("cp932Pairs", pairUnits);
    source += array("jisX0208", probe("EUC-JP", jisCodes(QByteArray()), 0x80));
    source += array("jisX0212", probe("EUC-JP", jisCodes(QByteArray(1, '\x8F')), 0x80));
    source += "} // namespace zorvane::jis\n";

    QFile output(QString::fromLocal8Bit(argv[1]));
    if (!output.open(QIODevice::WriteOnly) || output.write(source) != source.size()) {
        std::fprintf(stderr, "make_jis_tables: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
