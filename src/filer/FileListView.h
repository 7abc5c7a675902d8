#pragma once

#include "filer/FileNamePattern.h"

#include "filer/CaptionedListView.h"
#include "platform/StallableRead.h"

#include <QStringList>

class QMimeData;

namespace zorvane {

class FileListModel;

// The file list File1: the files of one folder that match its pattern. Selecting an entry by
// mouse or by the keys, or by code (setListIndex), raises fileSelected; so do clicking the entry
// that is already selected and Enter. Gaining the focus or reading the folder again never
// selects an entry. An entry dragged out of the list offers its file to other programs to copy.
class FileListView final : public CaptionedListView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    // The folder listed, absolute and without a trailing "/" (the root is "/").
    QString path() const { return path_; }
    // Lists `folder` (made absolute); the selection is cleared. A folder that does not answer
    // at once leaves the list empty until its names come (listingPending meanwhile); a newer
    // folder, pattern or refresh abandons them.
    void setPath(const QString& folder);

    QString pattern() const { return pattern_.text(); }
    void setPattern(const QString& pattern);

    // Reads the folder again. The selected entry stays selected while its file is still there
    // (without raising fileSelected); otherwise nothing is selected. `current`, where given,
    // names the entry selected instead (a file that was renamed), likewise quietly.
    void refresh(const QString& current = QString());

    // The folder's names are still being read in the background.
    bool listingPending() const { return listing_.pending(); }

    int listCount() const;
    QString listEntry(int row) const;
    const QStringList& listEntries() const;
    int listIndex() const; // -1 without a selection
    void setListIndex(int row);
    // Selects the entry at `row` without raising fileSelected: the caller shows its file.
    void showListIndex(int row);

    // The selected entry's name alone, or empty.
    QString fileName() const;

    // The tool tip at a point of the viewport: the whole name of an entry too long to be
    // shown whole, else empty.
    QString toolTipAt(const QPoint& viewportPoint) const;

    // What a drag of the selected entry carries: the file's URI list, or nothing without a
    // selection.
    QMimeData* dragData() const;

signals:
    void fileSelected();
    // The names of a folder that did not answer at once have come and are shown.
    void listingFinished();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // Reads the folder with the pattern, then shows the names and runs `shown`.
    void reload(const std::function<void()>& shown = {});
    void showNames(QStringList names);

    FileListModel* model_;
    StallableRead<QStringList> listing_;
    QString path_;
    FileNamePattern pattern_;
    bool currentChangedByPress_ = false;
    bool quiet_ = false; // an entry made current by focus-in or by a refresh is no pick
};

} // namespace zorvane
