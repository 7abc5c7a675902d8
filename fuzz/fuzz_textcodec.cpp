// The text decoder and encoder: decoding never fails; what is encoded decodes back to the same
// text in UTF-8 and UTF-16, and in code page 932 whenever it says it can hold the text; text
// written in code page 932 for a file is detected as code page 932 again; cutting to a number
// of bytes keeps characters whole and stays within the bytes.
#include "FuzzSupport.h"

#include "textfile/TextCodec.h"

using namespace zorvane;
using namespace zorvane::fuzz;

namespace {

bool isAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t choice = input.byte();
    const QByteArray bytes = input.rest();
    constexpr TextEncoding All[] = {TextEncoding::Cp932, TextEncoding::Utf8, TextEncoding::Utf16LE,
                                    TextEncoding::Utf16BE};

    for (const TextEncoding encoding : All) {
        const QString text = TextCodec::decodeText(bytes, encoding, LeadingMark::Keep);
        const qsizetype complete = TextCodec::completeLength(bytes, encoding);
        if (complete < 0 || complete > bytes.size())
            fail("the complete length lies within the bytes");
        (void)TextCodec::detectEncoding(bytes);
    }

    // Text as a file of any encoding may give it.
    const QString text = TextCodec::decodeText(bytes, All[choice & 3], LeadingMark::Keep);
    for (const TextEncoding encoding :
         {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const QString back = TextCodec::decodeText(TextCodec::encodeText(text, encoding), encoding,
                                                   LeadingMark::Keep);
        if (back != text)
            fail("UTF round trip", text, back);
    }
    if (TextCodec::canEncodeCp932(text)) {
        const QByteArray encoded = TextCodec::encodeText(text, TextEncoding::Cp932);
        const QString back = TextCodec::decodeText(encoded, TextEncoding::Cp932);
        if (back != text)
            fail("code page 932 round trip", text, back);
    }

    // Writing a file that was code page 932: the bytes written read back as the same text.
    const TextEncoding written = TextCodec::encodingForWriting(text, TextEncoding::Cp932);
    const QByteArray file = TextCodec::encodeText(text, written);
    const TextEncoding detected = TextCodec::detectEncoding(file);
    if (written == TextEncoding::Cp932 && detected != TextEncoding::Cp932 && !isAscii(file))
        fail("code page 932 written is detected as code page 932", text,
             TextCodec::decodeText(file, detected));
    const QString reread = TextCodec::decodeText(file, detected);
    if (written != TextEncoding::Cp932 || detected == TextEncoding::Cp932) {
        if (reread != text && !(written == TextEncoding::Utf8 && text.startsWith(QChar(0xFEFF))))
            fail("a written file reads back", text, reread);
    }

    // Cutting to bytes.
    const qsizetype limit = input.byte();
    for (const TextEncoding encoding : All) {
        const QString cut = TextCodec::cutToBytes(text, encoding, limit);
        if (!text.startsWith(cut))
            fail("a cut text is a start of the text", text, cut);
        if (!cut.isEmpty() && cut.back().isHighSurrogate() && text.size() > cut.size() &&
            text.at(cut.size()).isLowSurrogate())
            fail("a cut keeps a surrogate pair whole", text, cut);
        if (encoding != TextEncoding::Cp932 && TextCodec::byteLength(cut, encoding) > limit)
            fail("a cut text fits its bytes", text, cut);
    }
    return 0;
}
