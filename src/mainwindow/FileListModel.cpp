#include "mainwindow/FileListModel.h"

#include "platform/NativeDirectory.h"
#include "platform/NativePath.h"

#include <algorithm>
#include <vector>

namespace zorvane {

QStringList listMatchingFiles(const QString& folder, const FileNamePattern& pattern) {
    struct Entry {
        QString folded;
        QString name;
    };
    std::vector<Entry> entries;
    // Regular files only (no FIFOs, sockets or devices), no dot-files. Patterns and sorting
    // work on the names as shown, so a name in code page 932 sorts among the others.
    for (NativeDirectoryEntry& entry : readNativeDirectory(folder)) {
        if (!entry.isRegularFile || entry.name.startsWith(QChar(u'.')))
            continue;
        const QString shown = displayPath(entry.name);
        if (!pattern.matches(shown))
            continue;
        entries.push_back(Entry{shown.toCaseFolded(), std::move(entry.name)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int folded = a.folded.compare(b.folded);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    QStringList names;
    names.reserve(static_cast<qsizetype>(entries.size()));
    for (Entry& entry : entries)
        names.append(std::move(entry.name));
    return names;
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

void FileListModel::reload(const QString& folder, const FileNamePattern& pattern) {
    beginResetModel();
    names_ = listMatchingFiles(folder, pattern);
    endResetModel();
}

} // namespace zorvane
