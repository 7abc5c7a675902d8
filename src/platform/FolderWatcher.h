#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zorvane {

// Tells when entries appear in, vanish from or are renamed within one folder, as another
// program changes it. The folder is watched by its exact bytes (inotify), so a folder whose
// name is not UTF-8 is watched as well as any other; Qt's file-system watcher would take such
// a name through its UTF-8 conversion and watch another folder or none. Changes to a file's
// content are not reported: they change no listing.
//
// The folder is followed by its name, not by what once bore it: when it is removed, renamed
// away or replaced (as version control and build tools do), the watcher waits on the nearest
// folder above it that still exists and takes up the folder made again under the name.
class FolderWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderWatcher)
public:
    explicit FolderWatcher(QObject* parent = nullptr);
    ~FolderWatcher() override;

    // Watches `folder` (in the lossless path form) instead of the folder watched so far. A
    // folder that cannot be watched (unreadable, the system's limit reached) is simply not
    // watched; one that does not exist is waited for.
    void watch(const QString& folder);

signals:
    // One or more entries changed, or the folder went or came back under its name; raised
    // once for all the changes read at a time.
    void folderChanged();

private:
    void readChanges();
    bool attach();
    void release(int& watch);

    int fd_ = -1;
    int watch_ = -1;         // the folder itself, while it exists
    int ancestorWatch_ = -1; // the nearest existing folder above it, while it does not
    QString folder_;
    QByteArray path_;        // folder_ as the operating system's bytes
    QByteArray awaitedName_; // the name below the watched ancestor on the way to the folder
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zorvane
