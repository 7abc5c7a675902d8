#include "filer/FileListModel.h"

#include "filer/ShownNameOrder.h"
#include "platform/NativeDirectory.h"
#include "platform/NativePath.h"

#include <vector>

namespace zorvane {

QStringList listMatchingFiles(const QString& folder, const FileNamePattern& pattern) {
    std::vector<ListedName> entries;
    // Regular files only (no FIFOs, sockets or devices), no dot-files. Patterns and sorting
    // work on the names as shown, so a name in code page 932 sorts among the others.
    for (NativeDirectoryEntry& entry : readNativeDirectory(folder, NativeEntryKind::RegularFile)) {
        if (!entry.isRegularFile || entry.name.startsWith(QChar(u'.')))
            continue;
        QString folded = foldedName(displayPath(entry.name));
        if (!pattern.matchesFolded(folded))
            continue;
        entries.push_back(ListedName{std::move(folded), std::move(entry.name)});
    }
    return namesInShownOrder(std::move(entries));
}

FileListModel::FileListModel(QObject* parent) : QAbstractListModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= names_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return displayPath(names_.at(index.row()));
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

void FileListModel::reload(const QString& folder, const FileNamePattern& pattern) {
    setNames(listMatchingFiles(folder, pattern));
}

void FileListModel::setNames(QStringList names) {
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

} // namespace zorvane
