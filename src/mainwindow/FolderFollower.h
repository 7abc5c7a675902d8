#pragma once

#include "mainwindow/RefreshThrottle.h"

#include <QElapsedTimer>
#include <QObject>

class QTimer;

namespace zorvane {

class FolderWatcher;

// Keeps the lists of the shown folder current while other programs change it: each change
// seen by the watcher leads to one refreshDue, paced by a RefreshThrottle.
class FolderFollower final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderFollower)
public:
    explicit FolderFollower(QObject* parent = nullptr);

    // Follows `folder` (lossless path form) instead of the folder followed so far.
    void follow(const QString& folder);

signals:
    // The lists should read the folder again; the handler runs before the next interval starts.
    void refreshDue();

private:
    void changeSeen();
    void refreshNow();

    FolderWatcher* watcher_;
    QTimer* timer_;
    RefreshThrottle throttle_;
    QElapsedTimer clock_;
};

} // namespace zorvane
