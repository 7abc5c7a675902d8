#include "preview/PreviewEncoding.h"

#include "textfile/EucJpCodec.h"
#include "textfile/Iso2022JpDecoder.h"
#include "textfile/TextCodec.h"

namespace zorvane {

QList<PreviewEncoding> previewEncodingChoices() {
    return {PreviewEncoding::Automatic, PreviewEncoding::ShiftJis, PreviewEncoding::EucJp,
            PreviewEncoding::Iso2022Jp, PreviewEncoding::Utf8,     PreviewEncoding::Utf16LE,
            PreviewEncoding::Utf16BE,   PreviewEncoding::Hex};
}

QString previewEncodingCaption(PreviewEncoding choice) {
    if (choice == PreviewEncoding::Automatic)
        return QStringLiteral("自動");
    if (choice == PreviewEncoding::Hex)
        return QStringLiteral("16進表示");
    return contentEncodingName(*chosenContentEncoding(choice));
}

std::optional<ContentEncoding> chosenContentEncoding(PreviewEncoding choice) {
    switch (choice) {
    case PreviewEncoding::ShiftJis:
        return ContentEncoding::Cp932;
    case PreviewEncoding::EucJp:
        return ContentEncoding::EucJp;
    case PreviewEncoding::Iso2022Jp:
        return ContentEncoding::Iso2022Jp;
    case PreviewEncoding::Utf8:
        return ContentEncoding::Utf8;
    case PreviewEncoding::Utf16LE:
        return ContentEncoding::Utf16LE;
    case PreviewEncoding::Utf16BE:
        return ContentEncoding::Utf16BE;
    case PreviewEncoding::Automatic:
    case PreviewEncoding::Hex:
        break;
    }
    return std::nullopt;
}

QString contentEncodingName(ContentEncoding encoding) {
    switch (encoding) {
    case ContentEncoding::Cp932:
        break;
    case ContentEncoding::EucJp:
        return QStringLiteral("EUC-JP");
    case ContentEncoding::Iso2022Jp:
        return QStringLiteral("ISO-2022-JP");
    case ContentEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case ContentEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case ContentEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    }
    return QStringLiteral("Shift_JIS");
}

QString encodingUsedText(ContentEncoding encoding, PreviewEncoding choice) {
    return contentEncodingName(encoding) + (choice == PreviewEncoding::Automatic
                                                ? QStringLiteral("（自動判別）")
                                                : QStringLiteral("（指定）"));
}

QString decodeContent(QByteArrayView bytes, ContentEncoding encoding) {
    switch (encoding) {
    case ContentEncoding::EucJp:
        return EucJpCodec::decode(bytes);
    case ContentEncoding::Iso2022Jp:
        return Iso2022JpDecoder().decode(bytes);
    case ContentEncoding::Utf8:
        return TextCodec::decodeText(bytes, TextEncoding::Utf8, LeadingMark::Keep);
    case ContentEncoding::Utf16LE:
        return TextCodec::decodeText(bytes, TextEncoding::Utf16LE, LeadingMark::Keep);
    case ContentEncoding::Utf16BE:
        return TextCodec::decodeText(bytes, TextEncoding::Utf16BE, LeadingMark::Keep);
    case ContentEncoding::Cp932:
        break;
    }
    return TextCodec::decodeText(bytes, TextEncoding::Cp932, LeadingMark::Keep);
}

} // namespace zorvane
