// Compressed files and archives of any bytes: the viewer's reading of them neither crashes nor
// hangs nor grows without bound, and what it shows keeps the viewer's shape: lines ended by
// CR LF, at most 51 of them before the marker, a notice at most after them. The same bytes read
// from a file (skipped by seeking) and from memory (skipped by reading through) show the same.
#include "FuzzSupport.h"

#include "preview/PackedFormat.h"
#include "preview/PackedPreview.h"

#include <QStringList>

using namespace zorvane;
using namespace zorvane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const QList<PreviewEncoding> choices = previewEncodingChoices();
    const PreviewEncoding choice = choices.at(input.byte() % choices.size());
    const QByteArray bytes = input.rest();
    // Bounds a fuzzer's time-out never reaches; the bytes keep the memory small.
    const ExpansionBounds bounds{qint64(4) << 20, std::chrono::seconds(5)};

    const auto fromBytes = packedPreview({{}, bytes}, bytes, choice, bounds);
    const bool packed = packedFormatOf(bytes) != PackedFormat::None;
    if (fromBytes.has_value() != (packed && choice != PreviewEncoding::Hex))
        fail("a compressed file or an archive, and only those, is read as such");
    if (!fromBytes)
        return 0;
    if (fromBytes->errorNumber != 0)
        fail("bytes in memory always open");
    const QString& text = fromBytes->text;
    if (!text.isEmpty() && !text.endsWith(QStringLiteral("\r\n")))
        fail("every line ends with CR LF", QString(), text);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    const qsizetype marker = lines.indexOf(continuationMarker());
    if (lines.size() - 1 > 51 + 2 || marker > 51)
        fail("at most 51 lines, then the marker and a notice", QString(), text);
    if (text.size() > 2500 + 200)
        fail("at most 2500 characters, the marker and a notice", QString(), text);

    const QString path = scratchFolder() + QStringLiteral("/packed");
    if (!writeBytes(path, bytes))
        return 0;
    const auto fromFile = packedPreview({path, {}}, bytes, choice, bounds);
    if (!fromFile || fromFile->text != text || fromFile->description != fromBytes->description)
        fail("a file reads as its bytes do", text, fromFile ? fromFile->text : QString());
    return 0;
}
