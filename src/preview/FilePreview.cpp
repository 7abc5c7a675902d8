#include "preview/FilePreview.h"

#include "preview/BoundedLineReader.h"
#include "preview/HexView.h"
#include "preview/PackedPreview.h"
#include "preview/PreviewHead.h"
#include "preview/PreviewTextBuilder.h"
#include "textfile/EucJpCodec.h"
#include "textfile/Iso2022JpDecoder.h"
#include "textfile/JapaneseTextGuess.h"
#include "textfile/TextCodec.h"

#include <optional>
#include <utility>

namespace zorvane {

namespace {

// No character of code page 932, EUC-JP or UTF-8 takes more than 3 bytes per UTF-16 unit.
constexpr qsizetype maxBytesPerUnit = 3;

// The preview of the bytes read so far, and whether they ran out before the text reached a
// limit while the file goes on: more of the file would show more.
struct HeadText {
    QString text;
    bool wantsMore = false;
};

// Feeds the lines to the builder until a limit ends the preview or the lines run out.
// `decode(line, units)` turns one line of the reader into text of which only the first `units`
// units are used.
template <typename Unit, typename Decode>
HeadText buildFromLines(BoundedLineReader<Unit> reader, Decode decode) {
    PreviewTextBuilder builder;
    while (const auto line = reader.next()) {
        if (builder.addLine(decode(line->text, builder.usefulUnits()), line->moreFollows))
            return {builder.text(), false};
        if (!line->complete)
            break;
    }
    // Bytes that run out first (the head ends within a long stretch of escape sequences) show
    // what they hold: the file still goes on.
    if (!reader.exhausted())
        return {builder.text(), false};
    builder.endWithMarker();
    return {builder.text(), true};
}

HeadText previewOfUtf16(QByteArrayView body, bool wholeFile, TextEncoding encoding) {
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

// The first `units` units of one line of code page 932, EUC-JP or UTF-8, decoded by
// `decode(bytes)` from as few of its bytes as possible.
template <typename Decode>
QString decodeLineStart(QByteArrayView line, qsizetype units, Decode decode) {
    // Each byte gives at most one unit and a character cut by a slice at most three, so a
    // slice whose text has three units to spare holds the wanted units exactly as the whole
    // line would: for single-byte text, one short slice is all.
    const qsizetype firstBytes = units + 3;
    if (line.size() > firstBytes) {
        QString text = decode(line.first(firstBytes));
        if (text.size() >= units + 3)
            return text;
    }
    // Otherwise a slice that holds one character more than needed, whatever the characters.
    const qsizetype usefulBytes = maxBytesPerUnit * (units + 2);
    return decode(line.first(qMin(line.size(), usefulBytes)));
}

template <typename Decode>
HeadText previewOfBytes(QByteArrayView body, bool wholeFile, Decode decode) {
    const std::string_view bytes(body.data(), std::size_t(body.size()));
    return buildFromLines(BoundedLineReader<char>(bytes, wholeFile), [&decode](
                                                                         std::string_view line,
                                                                         qsizetype units) {
        return decodeLineStart(QByteArrayView(line.data(), qsizetype(line.size())), units, decode);
    });
}

// ISO-2022-JP is split into lines on bytes too (its bytes are all below 0x80 and CR and LF
// stand for themselves in every set), but the set in force carries from line to line, so each
// line is decoded whole and in order. The head is small, so this costs little.
HeadText previewOfIso2022Jp(QByteArrayView body, bool wholeFile) {
    const std::string_view bytes(body.data(), std::size_t(body.size()));
    Iso2022JpDecoder decoder;
    return buildFromLines(
        BoundedLineReader<char>(bytes, wholeFile), [&decoder](std::string_view line, qsizetype) {
            return decoder.decode(QByteArrayView(line.data(), qsizetype(line.size())));
        });
}

// The length of the byte-order mark at the start of `head` when it is the mark of `encoding`.
qsizetype byteOrderMarkLengthOf(QByteArrayView head, ContentEncoding encoding) {
    const QByteArray mark =
        encoding == ContentEncoding::Utf8      ? TextCodec::byteOrderMark(TextEncoding::Utf8)
        : encoding == ContentEncoding::Utf16LE ? TextCodec::byteOrderMark(TextEncoding::Utf16LE)
        : encoding == ContentEncoding::Utf16BE ? TextCodec::byteOrderMark(TextEncoding::Utf16BE)
                                               : QByteArray();
    return !mark.isEmpty() && head.startsWith(mark) ? mark.size() : 0;
}

HeadText previewOfHead(QByteArrayView head, bool wholeFile, ContentEncoding encoding) {
    const QByteArrayView body = head.sliced(byteOrderMarkLengthOf(head, encoding));
    // UTF-16 is split into lines after decoding; the others on bytes (CR and LF never occur
    // inside their multibyte characters), then each line is decoded.
    const auto decodeAs = [](TextEncoding textEncoding) {
        return [textEncoding](QByteArrayView bytes) {
            return TextCodec::decodeText(bytes, textEncoding, LeadingMark::Keep);
        };
    };
    switch (encoding) {
    case ContentEncoding::Utf16LE:
        return previewOfUtf16(body, wholeFile, TextEncoding::Utf16LE);
    case ContentEncoding::Utf16BE:
        return previewOfUtf16(body, wholeFile, TextEncoding::Utf16BE);
    case ContentEncoding::Utf8:
        return previewOfBytes(body, wholeFile, decodeAs(TextEncoding::Utf8));
    case ContentEncoding::EucJp:
        return previewOfBytes(body, wholeFile, &EucJpCodec::decode);
    case ContentEncoding::Iso2022Jp:
        return previewOfIso2022Jp(body, wholeFile);
    case ContentEncoding::Cp932:
        break;
    }
    return previewOfBytes(body, wholeFile, decodeAs(TextEncoding::Cp932));
}

} // namespace

QString continuationMarker() {
    return QStringLiteral("＝＝＝＝＝このファイルには、まだ続きがあります。＝＝＝＝＝");
}

ContentEncoding previewEncodingOf(QByteArrayView head, bool wholeFile) {
    // The encoding is told from the first read alone, however far the preview reads on.
    const bool firstReadIsWhole = head.size() <= previewFirstRead;
    return JapaneseTextGuess::guess(firstReadIsWhole ? head : head.first(previewFirstRead),
                                    wholeFile && firstReadIsWhole);
}

QString previewTextOf(QByteArrayView head, bool wholeFile) {
    return previewTextOf(head, wholeFile, previewEncodingOf(head, wholeFile));
}

QString previewTextOf(QByteArrayView head, bool wholeFile, ContentEncoding encoding) {
    return previewOfHead(head, wholeFile, encoding).text;
}

PreviewResult buildPreview(const QString& fullPath, PreviewEncoding choice) {
    std::optional<PreviewResult> whole; // a compressed file, an archive or the hex view
    HeadText preview;
    ContentEncoding encoding = ContentEncoding::Cp932;
    const PreviewHead head = readPreviewHead(
        fullPath, previewByteBound, [&, firstRead = true](const PreviewHead& read) mutable {
            // The first read tells what the file is; only plain text reads on.
            if (std::exchange(firstRead, false)) {
                if ((whole = packedPreview({fullPath, {}}, read.bytes, choice)))
                    return false;
                if (choice == PreviewEncoding::Hex) {
                    whole = plainPreview(read.bytes, read.wholeFile, choice);
                    return false;
                }
            }
            encoding = chosenContentEncoding(choice).value_or(
                previewEncodingOf(read.bytes, read.wholeFile));
            preview = previewOfHead(read.bytes, read.wholeFile, encoding);
            return preview.wantsMore;
        });
    if (head.errorNumber != 0)
        return {head.errorNumber, {}, {}};
    if (whole)
        return *whole;
    return {0, preview.text, QStringLiteral("文字コード: ") + encodingUsedText(encoding, choice)};
}

PreviewResult plainPreview(QByteArrayView head, bool wholeFile, PreviewEncoding choice) {
    if (choice == PreviewEncoding::Hex)
        return {0, hexViewText(head, wholeFile), previewEncodingCaption(choice)};
    const ContentEncoding encoding =
        chosenContentEncoding(choice).value_or(previewEncodingOf(head, wholeFile));
    return {0, previewTextOf(head, wholeFile, encoding),
            QStringLiteral("文字コード: ") + encodingUsedText(encoding, choice)};
}

} // namespace zorvane
