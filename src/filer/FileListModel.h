#pragma once

#include "filer/FileNamePattern.h"

#include <QAbstractListModel>
#include <QStringList>

namespace zorvane {

// The names listed by the file list for one folder and one pattern: regular files and links to
// them, no hidden dot-files, sorted by name without regard to case.
QStringList listMatchingFiles(const QString& folder, const FileNamePattern& pattern);

// The entries of the file list File1.
class FileListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Every entry can be dragged out (see FileListView::startDrag).
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Re-reads the folder with the pattern; every earlier row becomes invalid.
    void reload(const QString& folder, const FileNamePattern& pattern);
    // Shows `names` as they are; every earlier row becomes invalid.
    void setNames(QStringList names);
    const QStringList& names() const { return names_; }

private:
    QStringList names_;
};

} // namespace zorvane
