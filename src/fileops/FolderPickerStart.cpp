#include "fileops/FolderPickerStart.h"

namespace zorvane {

QString pickerStartFolder(const QString& start, const std::function<bool(const QString&)>& isFolder,
                          const QString& currentFolder) {
    if (!start.startsWith(QChar(u'/')))
        return currentFolder;
    QString candidate = start;
    for (;;) {
        if (isFolder(candidate))
            return candidate;
        while (candidate.size() > 1 && candidate.endsWith(QChar(u'/')))
            candidate.chop(1);
        const qsizetype slash = candidate.lastIndexOf(QChar(u'/'));
        if (slash < 0 || candidate == QStringLiteral("/"))
            return currentFolder;
        candidate = slash == 0 ? QStringLiteral("/") : candidate.left(slash);
    }
}

} // namespace zorvane
