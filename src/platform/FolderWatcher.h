#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zorvane {

// Tells when entries appear in, vanish from or are renamed within one folder, as another
// program changes it. The folder is watched by its exact bytes (inotify), so a folder whose
// name is not UTF-8 is watched as well as any other; Qt's file-system watcher would take such
// a name through its UTF-8 conversion and watch another folder or none. Changes to a file's
// content are not reported: they change no listing.
class FolderWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderWatcher)
public:
    explicit FolderWatcher(QObject* parent = nullptr);
    ~FolderWatcher() override;

    // Watches `folder` (in the lossless path form) instead of the folder watched so far. A
    // folder that cannot be watched (gone, unreadable, the system's limit reached) is simply
    // not watched.
    void watch(const QString& folder);
    QString folder() const { return folder_; }
    bool isWatching() const { return watch_ >= 0; }

signals:
    // One or more entries changed; raised once for all the changes read at a time.
    void folderChanged();

private:
    void readChanges();

    int fd_ = -1;
    int watch_ = -1;
    QString folder_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zorvane
