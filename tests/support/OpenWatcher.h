#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace zorvane::testing {

// Watches folders for files being opened (inotify), to see what another process reads.
class OpenWatcher {
public:
    OpenWatcher();
    ~OpenWatcher();
    OpenWatcher(const OpenWatcher&) = delete;
    OpenWatcher& operator=(const OpenWatcher&) = delete;

    bool watch(const QString& folder);

    // Waits until `name` is opened in `folder`; every open seen is kept in `opened`.
    bool waitFor(const QString& folder, const QString& name, int milliseconds);

    QStringList opened; // full paths, in the order seen

private:
    void drain();

    int descriptor_;
    QHash<int, QString> folders_;
};

} // namespace zorvane::testing
