#include "platform/FolderWatcher.h"

#include "platform/NativePath.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvane {

namespace {

// What changes the listing of a folder: entries made, removed or renamed, and the folder
// itself going away or being renamed (its name then shows another folder or none).
constexpr uint32_t ListingChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                    IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// What may bring a missing folder back below a folder above it: a name made or renamed into
// it, or that folder itself going, so the wait moves further up.
constexpr uint32_t AncestorChanges =
    IN_CREATE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

constexpr uint32_t WatchEnds = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// Each pass of attach() follows a folder made on the way while it looked; a program making
// and removing folders without pause could keep it busy, so it gives up after this many.
constexpr int AttachPasses = 64;

bool isFolder(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QByteArray parentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

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
    if (folder == folder_ && (watch_ >= 0 || ancestorWatch_ >= 0))
        return;
    folder_ = folder;
    path_ = folder.isEmpty() ? QByteArray() : nativePath(folder);
    if (fd_ < 0)
        return;
    release(watch_);
    release(ancestorWatch_);
    if (!path_.isEmpty())
        attach();
}

// Watches the folder where it exists and returns true. Where it does not, watches the nearest
// folder above it that does, for the next name on the way; a folder on the way made between
// the look and the watch raised no event, so the look is made again after the watch.
bool FolderWatcher::attach() {
    for (int pass = 0; pass < AttachPasses; ++pass) {
        watch_ = ::inotify_add_watch(fd_, path_.constData(), ListingChanges);
        if (watch_ >= 0) {
            release(ancestorWatch_);
            return true;
        }
        QByteArray below = path_;
        int ancestor = -1;
        while (ancestor < 0 && (errno == ENOENT || errno == ENOTDIR) && below != "/") {
            const QByteArray above = parentOf(below);
            ancestor = ::inotify_add_watch(fd_, above.constData(), AncestorChanges);
            if (ancestor < 0)
                below = above;
        }
        if (ancestor != ancestorWatch_)
            release(ancestorWatch_);
        ancestorWatch_ = ancestor;
        if (ancestor < 0)
            return false; // unreadable, or the system's limit reached
        awaitedName_ = below.mid(below.lastIndexOf('/') + 1);
        if (!isFolder(below))
            return false;
    }
    return false;
}

void FolderWatcher::release(int& watch) {
    if (watch >= 0)
        ::inotify_rm_watch(fd_, watch);
    watch = -1;
}

void FolderWatcher::readChanges() {
    // A burst of thousands of entries is read in a few large reads; the events themselves only
    // say that something changed (and whether the queue overflowed, which means the same).
    alignas(inotify_event) char buffer[16384];
    bool changed = false;
    bool lookAgain = false;
    bool overflowed = false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && errno == EINTR)
                continue;
            break;
        }
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // Events of watches replaced since belong to folders watched before.
            if (event->mask & IN_Q_OVERFLOW) {
                changed = overflowed = true;
            } else if (event->wd == watch_ && watch_ >= 0) {
                changed = true;
                if (event->mask & WatchEnds) {
                    // Removed, renamed away or replaced: the name now shows another folder
                    // or none, whatever becomes of this one.
                    release(watch_);
                    lookAgain = true;
                }
            } else if (event->wd == ancestorWatch_ && ancestorWatch_ >= 0) {
                if (event->mask & WatchEnds) {
                    release(ancestorWatch_);
                    lookAgain = true;
                } else if (event->len > 0 &&
                           std::strcmp(event->name, awaitedName_.constData()) == 0) {
                    lookAgain = true;
                }
            }
        }
    }
    if (overflowed) {
        // Lost events may have said that the folder went: watch whatever bears its name now.
        release(watch_);
        release(ancestorWatch_);
        lookAgain = true;
    }
    // The folder is watched again before the lists read it, so nothing made in it after that
    // reading goes unseen.
    if (lookAgain && watch_ < 0 && !path_.isEmpty() && attach())
        changed = true;
    if (changed)
        emit folderChanged();
}

} // namespace zorvane
