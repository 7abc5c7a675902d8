#include "options/OptionTexts.h"

#include <QProcess>

namespace zorvane {

QString cutTitle(const QString& title) {
    qsizetype end = 0;
    for (int characters = 0; characters < TitleLength && end < title.size(); ++characters) {
        const bool pair = title.at(end).isHighSurrogate() && end + 1 < title.size() &&
                          title.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return title.left(end);
}

QString programTextForPath(const QString& path) {
    if (QProcess::splitCommand(path) == QStringList{path})
        return path;
    // Inside double quotes, three quotes in a row stand for one quote character.
    QString quoted = path;
    quoted.replace(QChar(u'"'), QStringLiteral("\"\"\""));
    return QChar(u'"') + quoted + QChar(u'"');
}

QStringList patternBoxEntries(const std::array<QString, 5>& patterns) {
    QStringList entries{QStringLiteral("*.TXT"), QStringLiteral("*.*")};
    for (const QString& pattern : patterns) {
        if (!pattern.isEmpty())
            entries.append(pattern);
    }
    return entries;
}

int helpContextForTab(int tabIndex) {
    static constexpr std::array<int, 4> contexts{6, 13, 16, 17};
    if (tabIndex < 0 || tabIndex >= static_cast<int>(contexts.size()))
        return 0;
    return contexts[static_cast<std::size_t>(tabIndex)];
}

} // namespace zorvane
