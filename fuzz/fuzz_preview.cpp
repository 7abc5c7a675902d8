// The preview engine against a plain preview of the whole file: decode it all, split it into
// lines, take lines until 51 are in or the text passes 2500 characters, with the marker where
// the rules put it. The bounded reader (which reads a small head of the file) must give the
// same text, for the file on disk and for its bytes. Repeated past the bound of the reading, the
// bytes read in steps preview as the bytes up to the bound do.
#include "FuzzSupport.h"

#include "preview/FilePreview.h"
#include "preview/PackedFormat.h"
#include "preview/PreviewHead.h"
#include "textfile/EucJpCodec.h"
#include "textfile/Iso2022JpDecoder.h"
#include "textfile/JapaneseTextGuess.h"
#include "textfile/TextCodec.h"

#include <QStringList>

using namespace zorvane;
using namespace zorvane::fuzz;

namespace {

QString plainPreview(const QByteArray& file) {
    const ContentEncoding guessed = JapaneseTextGuess::guess(file, true);
    const QByteArray body = file.mid(TextCodec::byteOrderMarkLength(file));
    const bool wide = guessed == ContentEncoding::Utf16LE || guessed == ContentEncoding::Utf16BE;
    const TextEncoding encoding = guessed == ContentEncoding::Utf16LE   ? TextEncoding::Utf16LE
                                  : guessed == ContentEncoding::Utf16BE ? TextEncoding::Utf16BE
                                  : guessed == ContentEncoding::Utf8    ? TextEncoding::Utf8
                                                                        : TextEncoding::Cp932;
    // The set in force of ISO-2022-JP carries from line to line.
    Iso2022JpDecoder jis;
    const auto decodeLine = [&](const QByteArray& line) {
        switch (guessed) {
        case ContentEncoding::EucJp:
            return EucJpCodec::decode(line);
        case ContentEncoding::Iso2022Jp:
            return jis.decode(line);
        default:
            return TextCodec::decodeText(line, encoding, LeadingMark::Keep);
        }
    };

    // Lines with whether anything follows them; UTF-16 split after decoding, the others before.
    QStringList lines;
    QList<bool> follows;
    if (wide) {
        const QString text = TextCodec::decodeText(body, encoding, LeadingMark::Keep);
        qsizetype at = 0;
        while (at < text.size()) {
            qsizetype cr = text.indexOf(u'\r', at);
            if (cr < 0) {
                lines.append(text.mid(at));
                at = text.size();
            } else {
                lines.append(text.mid(at, cr - at));
                at = cr + 1 < text.size() && text[cr + 1] == u'\n' ? cr + 2 : cr + 1;
            }
            follows.append(at < text.size());
        }
    } else {
        qsizetype at = 0;
        while (at < body.size()) {
            qsizetype cr = body.indexOf('\r', at);
            QByteArray line;
            if (cr < 0) {
                line = body.mid(at);
                at = body.size();
            } else {
                line = body.mid(at, cr - at);
                at = cr + 1 < body.size() && body[cr + 1] == '\n' ? cr + 2 : cr + 1;
            }
            lines.append(decodeLine(line));
            follows.append(at < body.size());
        }
    }

    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines[i] + crlf;
        if (text.size() > 2500) {
            qsizetype kept = 2500;
            if (text[kept - 1].isHighSurrogate() && text[kept].isLowSurrogate())
                --kept;
            return text.left(kept) + crlf + continuationMarker() + crlf;
        }
        if (i + 1 >= 51)
            return follows[i] ? text + continuationMarker() + crlf : text;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString expected = plainPreview(file);
    const QString fromBytes = previewTextOf(file, true);
    if (fromBytes != expected)
        fail("preview of the bytes", expected, fromBytes);
    const QString path = scratchFolder() + QStringLiteral("/preview.txt");
    if (!writeBytes(path, file))
        return 0;
    const PreviewResult fromFile = buildPreview(path);
    // The head read decides the encoding on what it read; a file longer than the head may be
    // decided otherwise, which the whole-file reading cannot tell.
    if (fromFile.errorNumber != 0)
        fail("a regular file is previewed");
    // A file that begins like a compressed file or an archive is shown as one (fuzz_packed).
    const bool packed = packedFormatOf(file) != PackedFormat::None;
    if (file.size() <= 4096 && !packed && fromFile.text != expected)
        fail("preview of the file", expected, fromFile.text);

    if (file.isEmpty() || packed)
        return 0;
    const QByteArray longer = file.repeated(previewByteBound / file.size() + 2);
    if (!writeBytes(path, longer))
        return 0;
    const QString fromLongerFile = buildPreview(path).text;
    const QString fromBound = previewTextOf(QByteArrayView(longer).first(previewByteBound), false);
    if (fromLongerFile != fromBound)
        fail("preview of a file beyond the bound", fromBound, fromLongerFile);
    return 0;
}
