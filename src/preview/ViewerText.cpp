#include "preview/ViewerText.h"

namespace zorvane {

QString pendingReadText() {
    return QStringLiteral("読み込み中…");
}

QString viewerDisplayText(const QString& previewText) {
    QString shown;
    shown.reserve(previewText.size());
    for (qsizetype i = 0; i < previewText.size(); ++i) {
        const QChar c = previewText.at(i);
        if (c == QChar(u'\r')) {
            if (i + 1 < previewText.size() && previewText.at(i + 1) == QChar(u'\n')) {
                shown += QChar(u'\n');
                ++i;
            }
            continue;
        }
        shown += c;
    }
    return shown;
}

QString joinFolderAndName(const QString& folder, const QString& name) {
    QString base = folder;
    if (base.endsWith(QChar(u'/')))
        base.chop(1);
    return base + QChar(u'/') + name;
}

} // namespace zorvane
