// plok.his: the reader gives the lines a plain reading of the whole file gives (encoding decided
// on the bytes as they are, lines ended by CR or CR LF, 40 at most), and what the writer writes
// reads back as the same entries.
#include "FuzzSupport.h"

#include "app/ModPlok.h"
#include "platform/ErrorNumbers.h"
#include "platform/NativePath.h"
#include "settings/HistoryFile.h"
#include "textfile/TextCodec.h"

#include <QStringList>

using namespace zorvane;
using namespace zorvane::fuzz;

namespace {

constexpr int LineCount = 40;

// The whole file read plainly: the lines as the rules say, decoded.
QStringList plainLines(const QByteArray& file) {
    const TextEncoding encoding = TextCodec::detectEncoding(file);
    const QByteArray body = file.mid(TextCodec::byteOrderMarkLength(file));
    const bool wide = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
    const qsizetype unit = wide ? 2 : 1;
    auto unitAt = [&](qsizetype at) -> char16_t {
        const auto* d = reinterpret_cast<const unsigned char*>(body.constData()) + at;
        if (!wide)
            return d[0];
        return encoding == TextEncoding::Utf16LE ? char16_t(d[0] | (d[1] << 8))
                                                 : char16_t((d[0] << 8) | d[1]);
    };
    QList<QByteArray> raw;
    QByteArray current;
    qsizetype at = 0;
    while (at + unit <= body.size() && raw.size() < LineCount) {
        if (unitAt(at) == u'\r') {
            raw.append(current);
            current.clear();
            at += unit;
            if (at + unit <= body.size() && unitAt(at) == u'\n')
                at += unit;
            continue;
        }
        current.append(body.mid(at, unit));
        at += unit;
    }
    if (raw.size() < LineCount) {
        current.append(body.mid(at)); // a stray odd byte of UTF-16 belongs to the last line
        if (!current.isEmpty())
            raw.append(current);
    }
    QStringList lines;
    for (const QByteArray& line : raw)
        lines.append(TextCodec::decodeText(line, encoding, LeadingMark::Keep));
    return lines;
}

QStringList entriesOf(const ModPlok& state) {
    QStringList entries;
    for (int i = 1; i <= 20; ++i)
        entries.append(state.RecentDirs(i));
    for (int i = 1; i <= 20; ++i)
        entries.append(state.UsualDirs(i));
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    ModPlok state;
    state.ProgramFolder = scratchFolder() + QLatin1Char('/');
    const QString path = state.ProgramFolder + QStringLiteral("plok.his");
    if (!writeBytes(path, file))
        return 0;

    const int error = readHistoryFile(state);
    QStringList expected = plainLines(file);
    const int expectedError = expected.size() < LineCount ? int(ErrInputPastEnd) : int(ErrNone);
    while (expected.size() < LineCount)
        expected.append(QString());
    const QStringList read = entriesOf(state);
    if (error != expectedError)
        fail("the reader's result", QString::number(expectedError), QString::number(error));
    for (int i = 0; i < LineCount; ++i)
        if (read.at(i) != expected.at(i))
            fail("a line reads as the whole file gives it", expected.at(i), read.at(i));

    if (writeHistoryFile(state) != ErrNone)
        fail("the history is written");
    ModPlok again;
    again.ProgramFolder = state.ProgramFolder;
    if (readHistoryFile(again) != ErrNone)
        fail("a written history has its 40 lines");
    const QStringList reread = entriesOf(again);
    for (int i = 0; i < LineCount; ++i) {
        // An entry with a CR would break the lines, one holding the bytes of a name that is not
        // UTF-8 would name another folder: both are written empty.
        const QString written =
            read.at(i).contains(u'\r') || holdsForeignBytes(read.at(i)) ? QString() : read.at(i);
        if (reread.at(i) != written)
            fail("a written entry reads back", written, reread.at(i));
    }
    return 0;
}
