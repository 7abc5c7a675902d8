#include "mainwindow/FileListModel.h"

#include <QDirIterator>
#include <algorithm>
#include <vector>

namespace zorvane {

QStringList listMatchingFiles(const QString& folder, const FileNamePattern& pattern) {
    struct Entry {
        QString folded;
        QString name;
    };
    std::vector<Entry> entries;
    // Files only (System would add FIFOs, sockets and devices), no Hidden: dot-files stay out.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (name.startsWith(QChar(u'.')) || !pattern.matches(name))
            continue;
        entries.push_back(Entry{name.toCaseFolded(), std::move(name)});
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
        return names_.at(index.row());
    return {};
}

void FileListModel::reload(const QString& folder, const FileNamePattern& pattern) {
    beginResetModel();
    names_ = listMatchingFiles(folder, pattern);
    endResetModel();
}

} // namespace zorvane
