#include "mainwindow/CommandLineTarget.h"

#include <QStringList>

namespace zorvane {

namespace {

// Removes leading and trailing blanks (spaces only, as the program's own trimming does).
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QChar(u' '))
        ++first;
    while (last > first && text.at(last - 1) == QChar(u' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

bool parseCommandLineTarget(const QString& commandLineText, CommandLineTarget& target) {
    QString arg = commandLineText;
    if (arg.isEmpty())
        return false;
    for (qsizetype quote = arg.indexOf(QChar(u'"')); quote >= 0; quote = arg.indexOf(QChar(u'"'))) {
        arg[quote] = QChar(u' ');
        arg = trimBlanks(arg);
    }
    if (arg.isEmpty())
        return false; // only quotes and blanks

    target = commandLineTargetOf(arg);
    return true;
}

CommandLineTarget commandLineTargetOf(const QString& path) {
    CommandLineTarget target;
    target.path = path;
    const qsizetype lastSeparator = path.lastIndexOf(QChar(u'/'));
    target.folder = path.left(lastSeparator + 1);
    target.fileName = path.mid(lastSeparator + 1);
    target.pattern = target.fileName.right(3).toUpper() == QStringLiteral("TXT")
                         ? QStringLiteral("*.TXT")
                         : QStringLiteral("*.*");
    return target;
}

int entryNamed(const QStringList& entries, const QString& fileName) {
    const qsizetype exact = entries.indexOf(fileName);
    if (exact >= 0)
        return static_cast<int>(exact);
    const QString wanted = fileName.toUpper();
    int found = -1;
    for (qsizetype row = 0; row < entries.size(); ++row) {
        if (entries.at(row).toUpper() != wanted)
            continue;
        if (found >= 0)
            return -1;
        found = static_cast<int>(row);
    }
    return found;
}

QString commandLineText(const QStringList& arguments) {
    return arguments.join(QChar(u' '));
}

} // namespace zorvane
