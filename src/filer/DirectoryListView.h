#pragma once

#include "filer/CaptionedListView.h"
#include "platform/StallableRead.h"

#include <QStringList>

namespace zorvane {

class DirectoryListModel;

// The directory list Dir1: the parents of the current folder, the folder itself and its
// subfolders. The arrow keys only highlight an entry; Enter or a double-click opens it.
class DirectoryListView final : public CaptionedListView {
    Q_OBJECT
public:
    explicit DirectoryListView(QWidget* parent = nullptr);

    // The current folder, absolute and without a trailing "/" (the root is "/").
    QString path() const { return path_; }

    // Opens `folder` (made absolute). Returns 0, or 76 when it is not an existing folder; then
    // nothing changes. A new path raises pathChanged.
    int setPath(const QString& folder);

    // Reads the subfolders again. A folder that does not answer at once shows its parents and
    // itself until its subfolders come (listingPending meanwhile); a newer path or refresh
    // abandons them. An entry highlighted with the arrow keys stays highlighted while it is still
    // there; otherwise the current folder is.
    void refresh();

    // The subfolders are still being read in the background, or held.
    bool listingPending() const { return listing_.pending() || readingWaits_; }
    // While held, a new path shows its parents and itself, and its subfolders are read once the
    // hold ends: a window that opens on a folder of many files is drawn first.
    void holdReading(bool held);

    // The full path of the highlighted entry, or empty.
    QString highlightedPath() const;

    // Opens the highlighted entry, as Enter does.
    void openHighlighted();

signals:
    void pathChanged(const QString& path);
    // Opening an entry failed (the folder vanished): its error number.
    void openFailed(int errorNumber);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void startListing(const QString& keepHighlighted);
    void openEntry(const QString& folder);
    void highlightCurrentFolder();
    void showCurrentFolder();
    void showSubfolders(const QStringList& names, const QString& keepHighlighted);

    DirectoryListModel* model_;
    StallableRead<QStringList> listing_;
    QString path_;
    bool listed_ = false; // the folder has been read (or is being read) at least once
    bool readingHeld_ = false;
    bool readingWaits_ = false; // a reading came while held
};

} // namespace zorvane
