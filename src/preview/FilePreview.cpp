#include "preview/FilePreview.h"

#include "preview/BoundedLineReader.h"
#include "preview/PreviewHead.h"
#include "preview/PreviewTextBuilder.h"
#include "textfile/TextCodec.h"

namespace zorvane {

namespace {

// No character of code page 932 or UTF-8 takes more than 3 bytes per UTF-16 unit.
constexpr qsizetype maxBytesPerUnit = 3;

// Feeds the lines to the builder until a limit ends the preview or the lines run out.
// `decode(line, units)` turns one line of the reader into text of which only the first `units`
// units are used.
template <typename Unit, typename Decode>
QString buildFromLines(BoundedLineReader<Unit> reader, Decode decode) {
    PreviewTextBuilder builder;
    while (const auto line = reader.next()) {
        if (builder.addLine(decode(line->text, builder.usefulUnits()), line->moreFollows))
            return builder.text();
        if (!line->complete)
            break;
    }
    // The limits are always met within the bytes read; should the bytes ever run out first,
    // the file still goes on.
    if (reader.exhausted())
        builder.endWithMarker();
    return builder.text();
}

QString previewOfUtf16(QByteArrayView body, bool wholeFile, TextEncoding encoding) {
    // Each unit of the file gives at least one unit of the preview: a few units beyond the
    // limit cover the look-ahead after a CR and after the last line.
    const qsizetype usefulBytes = 2 * (previewUnitLimit + 8);
    if (body.size() > usefulBytes) {
        body = body.first(usefulBytes);
        wholeFile = false;
    }
    const QString decoded = TextCodec::decodeText(body, encoding, LeadingMark::Keep);
    const std::u16string_view units(reinterpret_cast<const char16_t*>(decoded.utf16()),
                                    std::size_t(decoded.size()));
    return buildFromLines(BoundedLineReader<char16_t>(units, wholeFile),
                          [](std::u16string_view line, qsizetype) {
                              return QStringView(line.data(), qsizetype(line.size()));
                          });
}

// The first `units` units of one line of code page 932 or UTF-8, decoded from as few of its
// bytes as possible.
QString decodeLineStart(QByteArrayView line, TextEncoding encoding, qsizetype units) {
    // Each byte gives at most one unit and a character cut by a slice at most three, so a
    // slice whose text has three units to spare holds the wanted units exactly as the whole
    // line would: for single-byte text, one short slice is all.
    const qsizetype firstBytes = units + 3;
    if (line.size() > firstBytes) {
        QString text = TextCodec::decodeText(line.first(firstBytes), encoding, LeadingMark::Keep);
        if (text.size() >= units + 3)
            return text;
    }
    // Otherwise a slice that holds one character more than needed, whatever the characters.
    const qsizetype usefulBytes = maxBytesPerUnit * (units + 2);
    return TextCodec::decodeText(line.first(qMin(line.size(), usefulBytes)), encoding,
                                 LeadingMark::Keep);
}

QString previewOfBytes(QByteArrayView body, bool wholeFile, TextEncoding encoding) {
    const std::string_view bytes(body.data(), std::size_t(body.size()));
    return buildFromLines(BoundedLineReader<char>(bytes, wholeFile),
                          [encoding](std::string_view line, qsizetype units) {
                              return decodeLineStart(
                                  QByteArrayView(line.data(), qsizetype(line.size())), encoding,
                                  units);
                          });
}

} // namespace

QString continuationMarker() {
    return QStringLiteral("＝＝＝＝＝このファイルには、まだ続きがあります。＝＝＝＝＝");
}

QString previewTextOf(QByteArrayView head, bool wholeFile) {
    const TextEncoding encoding = TextCodec::detectEncoding(head);
    const QByteArrayView body = head.sliced(TextCodec::byteOrderMarkLength(head));
    // UTF-16 is split into lines after decoding; code page 932 and UTF-8 on bytes (CR and LF
    // never occur inside their multibyte characters), then each line is decoded.
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE)
        return previewOfUtf16(body, wholeFile, encoding);
    return previewOfBytes(body, wholeFile, encoding);
}

PreviewResult buildPreview(const QString& fullPath) {
    const PreviewHead head = readPreviewHead(fullPath);
    if (head.errorNumber != 0)
        return {head.errorNumber, {}};
    return {0, previewTextOf(head.bytes, head.wholeFile)};
}

} // namespace zorvane
