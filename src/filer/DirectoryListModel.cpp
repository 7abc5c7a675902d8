#include "filer/DirectoryListModel.h"

#include "filer/ShownNameOrder.h"
#include "images/BuiltInImages.h"
#include "platform/NativeDirectory.h"
#include "platform/NativePath.h"

#include <QIcon>
#include <vector>

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
        entries.append(DirectoryEntry{path, displayPath(part), ++depth, true});
    }
    for (const QString& name : subfolderNames)
        entries.append(
            DirectoryEntry{path + QChar(u'/') + name, displayPath(name), depth + 1, false});
    return entries;
}

QStringList listSubfolders(const QString& folder) {
    std::vector<ListedName> entries;
    for (NativeDirectoryEntry& entry : readNativeDirectory(folder, NativeEntryKind::Folder)) {
        if (entry.isFolder && !entry.name.startsWith(QChar(u'.')))
            entries.push_back(
                ListedName{foldedName(displayPath(entry.name)), std::move(entry.name)});
    }
    return namesInShownOrder(std::move(entries));
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
