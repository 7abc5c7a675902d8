#include "mainwindow/DirectoryListModel.h"

#include "mainwindow/BuiltInImages.h"

#include <QDir>
#include <QDirIterator>
#include <QIcon>
#include <algorithm>

namespace zorvane {

QList<DirectoryEntry> directoryEntries(const QString& currentPath,
                                       const QStringList& subfolderNames) {
    QList<DirectoryEntry> entries;
    entries.append(DirectoryEntry{QStringLiteral("/"), QStringLiteral("/"), 0, true});
    const QStringList parts = currentPath.split(QChar(u'/'), Qt::SkipEmptyParts);
    QString path;
    int depth = 0;
    for (const QString& part : parts) {
        path += QChar(u'/') + part;
        entries.append(DirectoryEntry{path, part, ++depth, true});
    }
    for (const QString& name : subfolderNames)
        entries.append(DirectoryEntry{path + QChar(u'/') + name, name, depth + 1, false});
    return entries;
}

QStringList listSubfolders(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!name.startsWith(QChar(u'.')))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

DirectoryListModel::DirectoryListModel(QObject* parent)
    : QAbstractListModel(parent), openIcon_(folderImage(true)), closedIcon_(folderImage(false)) {}

int DirectoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const DirectoryEntry& entry = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: // read as shown, not as a whole path
        return entry.name;
    case Qt::ToolTipRole:
        return entry.path;
    case Qt::DecorationRole:
        return entry.open ? openIcon_ : closedIcon_;
    case DepthRole:
        return entry.depth;
    case OpenRole:
        return entry.open;
    case PathRole:
        return entry.path;
    default:
        return {};
    }
}

void DirectoryListModel::setEntries(QList<DirectoryEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

} // namespace zorvane
