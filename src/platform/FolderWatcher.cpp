#include "platform/FolderWatcher.h"

#include "platform/NativePath.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace zorvane {

namespace {

// What changes the listing of a folder: entries made, removed or renamed, and the folder
// itself going away.
constexpr uint32_t ListingChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                    IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return; // no watching: the lists still follow the program's own commands
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FolderWatcher::readChanges);
}

FolderWatcher::~FolderWatcher() {
    if (fd_ >= 0)
        ::close(fd_);
}

void FolderWatcher::watch(const QString& folder) {
    if (folder == folder_ && watch_ >= 0)
        return;
    folder_ = folder;
    if (fd_ < 0)
        return;
    if (watch_ >= 0)
        ::inotify_rm_watch(fd_, watch_);
    watch_ = folder.isEmpty()
                 ? -1
                 : ::inotify_add_watch(fd_, nativePath(folder).constData(), ListingChanges);
}

void FolderWatcher::readChanges() {
    // A burst of thousands of entries is read in a few large reads; the events themselves only
    // say that something changed (and whether the queue overflowed, which means the same).
    alignas(inotify_event) char buffer[16384];
    bool changed = false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && errno == EINTR)
                continue;
            break;
        }
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            // Events of a watch replaced since belong to the folder shown before.
            if (event->wd == watch_ || event->mask & IN_Q_OVERFLOW)
                changed = true;
            if (event->wd == watch_ && event->mask & IN_IGNORED)
                watch_ = -1; // the folder went away: the kernel dropped its watch
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (changed)
        emit folderChanged();
}

} // namespace zorvane
