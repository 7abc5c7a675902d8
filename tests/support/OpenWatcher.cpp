#include "OpenWatcher.h"

#include <QDeadlineTimer>
#include <QFile>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace zorvane::testing {

OpenWatcher::OpenWatcher() : descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

OpenWatcher::~OpenWatcher() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool OpenWatcher::watch(const QString& folder) {
    const int id = inotify_add_watch(descriptor_, QFile::encodeName(folder).constData(), IN_OPEN);
    if (id < 0)
        return false;
    folders_.insert(id, folder);
    return true;
}

bool OpenWatcher::waitFor(const QString& folder, const QString& name, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        pollfd entry{descriptor_, POLLIN, 0};
        if (::poll(&entry, 1, int(qMin<qint64>(deadline.remainingTime(), 200))) > 0)
            drain();
        if (opened.contains(folder + QChar(u'/') + name))
            return true;
    }
    return false;
}

void OpenWatcher::drain() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor_, buffer, sizeof buffer);
        if (count <= 0)
            return;
        for (ssize_t at = 0; at < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0)
                opened.append(folders_.value(event->wd) + QChar(u'/') +
                              QFile::decodeName(event->name));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
}

} // namespace zorvane::testing
