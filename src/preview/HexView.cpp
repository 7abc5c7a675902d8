#include "preview/HexView.h"

#include "preview/FilePreview.h"
#include "preview/PreviewTextBuilder.h"

namespace zorvane {

namespace {

QString hexLine(qsizetype offset, QByteArrayView bytes) {
    QString line = QStringLiteral("%1 ").arg(offset, 8, 16, QChar(u'0')).toUpper();
    QString ascii;
    for (qsizetype i = 0; i < hexViewBytesPerLine; ++i) {
        if (i % 8 == 0)
            line += QChar(u' ');
        if (i >= bytes.size()) {
            line += QStringLiteral("   ");
            continue;
        }
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        line += QStringLiteral("%1 ").arg(byte, 2, 16, QChar(u'0')).toUpper();
        ascii += byte >= 0x20 && byte < 0x7F ? QChar(char16_t(byte)) : QChar(u'.');
    }
    return line + QChar(u' ') + ascii;
}

} // namespace

QString hexViewText(QByteArrayView head, bool wholeFile) {
    QString text;
    for (int line = 0; line * hexViewBytesPerLine < head.size(); ++line) {
        if (line == previewLineLimit)
            return text + continuationMarker() + QStringLiteral("\r\n");
        const qsizetype offset = line * hexViewBytesPerLine;
        text +=
            hexLine(offset, head.sliced(offset, qMin(hexViewBytesPerLine, head.size() - offset)));
        text += QStringLiteral("\r\n");
    }
    return wholeFile ? text : text + continuationMarker() + QStringLiteral("\r\n");
}

} // namespace zorvane
