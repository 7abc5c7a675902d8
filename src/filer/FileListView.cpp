#include "filer/FileListView.h"

#include "filer/FileListModel.h"

#include "filer/FileUriList.h"
#include "platform/NativeDirectory.h"

#include <QDrag>
#include <QMimeData>

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace zorvane {

FileListView::FileListView(QWidget* parent)
    : CaptionedListView(parent), model_(new FileListModel(this)), pattern_(QStringLiteral("*.*")) {
    setModel(model_);
    setUniformItemSizes(true); // tens of thousands of names list at once
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    // Files leave by copy only: nothing a drop target does may move or delete the file the
    // user is reading.
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    path_ = nativeCurrentFolder();
}

void FileListView::setPath(const QString& folder) {
    path_ = absoluteNativePath(folder);
    reload();
}

void FileListView::setPattern(const QString& pattern) {
    pattern_ = FileNamePattern(pattern);
    reload();
}

void FileListView::reload(const std::function<void()>& shown) {
    // The reading thread builds its own pattern from the text: nothing of this list is shared.
    const QString folder = path_;
    const QString pattern = pattern_.text();
    std::optional<QStringList> names = listing_.start(
        [folder, pattern] { return listMatchingFiles(folder, FileNamePattern(pattern)); },
        [this, shown](QStringList later) {
            showNames(std::move(later));
            if (shown)
                shown();
            emit listingFinished();
        });
    if (!names) {
        // The names of the folder shown before must not stand for the new one's.
        showNames({});
        return;
    }
    showNames(std::move(*names));
    if (shown)
        shown();
}

void FileListView::showNames(QStringList names) {
    model_->setNames(std::move(names));
    scrollToTop();
}

void FileListView::refresh(const QString& current) {
    // Files made by another program while the user reads down the list must not throw the
    // view back to its top.
    const QString selected = current.isEmpty() ? fileName() : current;
    const int scrolled = verticalScrollBar()->value();
    reload([this, selected, scrolled] {
        verticalScrollBar()->setValue(scrolled);
        const int row =
            selected.isEmpty() ? -1 : static_cast<int>(model_->names().indexOf(selected));
        if (row < 0)
            return;
        quiet_ = true;
        setCurrentIndex(model_->index(row));
        quiet_ = false;
        scrollTo(currentIndex());
    });
}

int FileListView::listCount() const {
    return static_cast<int>(model_->names().size());
}

QString FileListView::listEntry(int row) const {
    return row >= 0 && row < listCount() ? model_->names().at(row) : QString();
}

const QStringList& FileListView::listEntries() const {
    return model_->names();
}

int FileListView::listIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileListView::setListIndex(int row) {
    if (row < 0 || row >= listCount()) {
        setCurrentIndex(QModelIndex());
        return;
    }
    setCurrentIndex(model_->index(row));
    scrollTo(currentIndex());
}

void FileListView::showListIndex(int row) {
    quiet_ = true;
    setListIndex(row);
    quiet_ = false;
}

QString FileListView::fileName() const {
    return listEntry(listIndex());
}

void FileListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    if (!current.isValid() || quiet_)
        return;
    currentChangedByPress_ = true;
    emit fileSelected();
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    currentChangedByPress_ = false;
    QListView::mousePressEvent(event);
    // A click on the entry that is already selected selects it again.
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pressed.isValid() && pressed == currentIndex() &&
        !currentChangedByPress_)
        emit fileSelected();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit fileSelected();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void FileListView::focusInEvent(QFocusEvent* event) {
    // With nothing current, the view would make the first entry current (unhighlighted) when
    // it gains the focus. The current file must change only on a pick, so that entry is taken
    // back; the first arrow key still starts at the top of the list.
    const bool hadCurrent = currentIndex().isValid();
    quiet_ = true;
    QListView::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid())
        selectionModel()->clearCurrentIndex();
    quiet_ = false;
}

QString FileListView::toolTipAt(const QPoint& viewportPoint) const {
    const QModelIndex index = indexAt(viewportPoint);
    if (!index.isValid())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int needed = itemDelegateForIndex(index)->sizeHint(option, index).width();
    if (visualRect(index).left() + needed <= viewport()->width())
        return {};
    return index.data(Qt::DisplayRole).toString();
}

QMimeData* FileListView::dragData() const {
    const QString name = fileName();
    if (name.isEmpty())
        return nullptr;
    const QString folder = path_.endsWith(QChar(u'/')) ? path_ : path_ + QChar(u'/');
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/uri-list"), fileUriList({folder + name}));
    return mime;
}

void FileListView::startDrag(Qt::DropActions /*supportedActions*/) {
    QMimeData* mime = dragData();
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}

bool FileListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(),
                               visualRect(indexAt(help->pos())));
        return true;
    }
    return QListView::viewportEvent(event);
}
} // namespace zorvane
