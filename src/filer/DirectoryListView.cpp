#include "filer/DirectoryListView.h"

#include "filer/DirectoryListModel.h"
#include "platform/ErrorNumbers.h"
#include "platform/NativeDirectory.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <utility>

namespace zorvane {

namespace {

constexpr int IndentPerLevel = 8; // pixels

// Draws each entry indented by its depth, as the classic tree of folders.
class IndentedEntryDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += indent(index);
        return size;
    }

private:
    static int indent(const QModelIndex& index) {
        return index.data(DirectoryListModel::DepthRole).toInt() * IndentPerLevel;
    }
};

} // namespace

DirectoryListView::DirectoryListView(QWidget* parent)
    : CaptionedListView(parent), model_(new DirectoryListModel(this)) {
    setModel(model_);
    setItemDelegate(new IndentedEntryDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        openEntry(index.data(DirectoryListModel::PathRole).toString());
    });
    // The process's folder is read once the list is shown, unless a path comes first: a
    // window opened on another folder never reads this one.
    path_ = nativeCurrentFolder();
}

int DirectoryListView::setPath(const QString& folder) {
    const QString wanted = absoluteNativePath(folder);
    if (!isNativeDirectory(wanted))
        return ErrPathNotFound;
    const bool changed = wanted != path_;
    path_ = wanted;
    startListing(QString());
    if (changed)
        emit pathChanged(path_);
    return 0;
}

void DirectoryListView::refresh() {
    // Subfolders made or removed by another program must not take away the entry the user
    // was moving to with the arrow keys.
    startListing(highlightedPath());
}

void DirectoryListView::holdReading(bool held) {
    readingHeld_ = held;
    if (!held && std::exchange(readingWaits_, false))
        startListing(highlightedPath());
}

void DirectoryListView::startListing(const QString& keepHighlighted) {
    listed_ = true;
    if (readingHeld_) {
        listing_.cancel();
        showSubfolders({}, keepHighlighted);
        readingWaits_ = true;
        return;
    }
    const QString folder = path_;
    const std::optional<QStringList> names =
        listing_.start([folder] { return listSubfolders(folder); },
                       [this, keepHighlighted](const QStringList& later) {
                           showSubfolders(later, keepHighlighted);
                       });
    showSubfolders(names.value_or(QStringList()), keepHighlighted);
}

void DirectoryListView::showSubfolders(const QStringList& names, const QString& keepHighlighted) {
    const int scrolled = verticalScrollBar()->value();
    model_->setEntries(directoryEntries(path_, names));
    const QList<DirectoryEntry>& entries = model_->entries();
    for (qsizetype row = 0;
         !keepHighlighted.isEmpty() && keepHighlighted != path_ && row < entries.size(); ++row) {
        if (entries.at(row).path == keepHighlighted) {
            setCurrentIndex(model_->index(static_cast<int>(row)));
            verticalScrollBar()->setValue(scrolled);
            scrollTo(currentIndex());
            return;
        }
    }
    highlightCurrentFolder();
}

QString DirectoryListView::highlightedPath() const {
    if (!listed_)
        return path_; // as it will be once read: the current folder
    return currentIndex().data(DirectoryListModel::PathRole).toString();
}

void DirectoryListView::openHighlighted() {
    openEntry(highlightedPath());
}

void DirectoryListView::showEvent(QShowEvent* event) {
    if (!listed_)
        startListing(QString());
    QListView::showEvent(event);
}

void DirectoryListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openHighlighted();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void DirectoryListView::openEntry(const QString& folder) {
    if (folder.isEmpty())
        return;
    if (const int error = setPath(folder)) {
        refresh(); // the folder vanished: show what is there now
        emit openFailed(error);
    }
}

void DirectoryListView::highlightCurrentFolder() {
    const QList<DirectoryEntry>& entries = model_->entries();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        if (entries.at(row).path == path_) {
            setCurrentIndex(model_->index(static_cast<int>(row)));
            showCurrentFolder();
            return;
        }
    }
}

void DirectoryListView::showCurrentFolder() {
    // The current folder at the bottom of the view with as many of its parents as fit above
    // it, and every name from its start: a deep folder's indent must not scroll the names
    // out of sight.
    if (currentIndex().isValid())
        scrollTo(currentIndex(), QAbstractItemView::PositionAtBottom);
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

void DirectoryListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    showCurrentFolder();
}

} // namespace zorvane
