#include "mainwindow/FolderFollower.h"

#include "platform/FolderWatcher.h"

#include <QTimer>

namespace zorvane {

FolderFollower::FolderFollower(QObject* parent)
    : QObject(parent), watcher_(new FolderWatcher(this)), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer); // a coarse timer may fire the interval 5 % early
    clock_.start();
    connect(watcher_, &FolderWatcher::folderChanged, this, &FolderFollower::changeSeen);
    connect(timer_, &QTimer::timeout, this, &FolderFollower::refreshNow);
}

void FolderFollower::follow(const QString& folder) {
    watcher_->watch(folder);
}

void FolderFollower::changeSeen() {
    if (const auto delay = throttle_.changeSeen(clock_.elapsed()))
        timer_->start(static_cast<int>(*delay));
}

void FolderFollower::refreshNow() {
    emit refreshDue();
    throttle_.refreshed(clock_.elapsed());
}

} // namespace zorvane
