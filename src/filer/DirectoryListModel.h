#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

namespace zorvane {

// One entry of the directory list: a folder and how deep it sits under the root.
struct DirectoryEntry {
    QString path;      // absolute, without a trailing "/" (the root is "/")
    QString name;      // what the list shows: "/" for the root, else the folder's own name
    int depth = 0;     // 0 for the root
    bool open = false; // the current folder and its parents are drawn open

    friend bool operator==(const DirectoryEntry&, const DirectoryEntry&) = default;
};

// The entries of the classic directory list for `currentPath`: the root and every parent,
// the current folder itself, then its subfolders `subfolderNames` in the given order.
QList<DirectoryEntry> directoryEntries(const QString& currentPath,
                                       const QStringList& subfolderNames);

// The subfolders of `folder` (links to folders included, hidden dot-folders not), sorted by
// name without regard to case.
QStringList listSubfolders(const QString& folder);

// The entries of the directory list Dir1.
class DirectoryListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int DepthRole = Qt::UserRole + 1;
    static constexpr int OpenRole = Qt::UserRole + 2;
    static constexpr int PathRole = Qt::UserRole + 3;

    explicit DirectoryListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void setEntries(QList<DirectoryEntry> entries);
    const QList<DirectoryEntry>& entries() const { return entries_; }

private:
    QList<DirectoryEntry> entries_;
    QIcon openIcon_;
    QIcon closedIcon_;
};

} // namespace zorvane
