#include "fileservice/ShellPaths.h"

namespace zorvane {

QString shellFileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString shellFolderPart(const QString& path) {
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString shellDestinationInFolder(const QString& source, const QString& folder) {
    QString destination = folder;
    while (destination.size() > 1 && destination.endsWith(QLatin1Char('/')))
        destination.chop(1);
    if (!destination.endsWith(QLatin1Char('/')))
        destination += QLatin1Char('/');
    return destination + shellFileName(source);
}

RenameTargetProblem renameTargetProblem(const QString& source, const QString& newFullPath) {
    if (newFullPath.contains(QChar(0)))
        return RenameTargetProblem::BadCharacter;
    const QString folder = shellFolderPart(source);
    if (!newFullPath.startsWith(folder))
        return RenameTargetProblem::OtherFolder;
    const QString name = newFullPath.mid(folder.size());
    if (name.isEmpty())
        return RenameTargetProblem::EmptyName;
    if (name.contains(QLatin1Char('/')))
        return RenameTargetProblem::OtherFolder;
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return RenameTargetProblem::NamesFolder;
    return RenameTargetProblem::None;
}

} // namespace zorvane
