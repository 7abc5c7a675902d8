#include "mainwindow/RefreshThrottle.h"

#include <algorithm>

namespace zorvane {

std::optional<qint64> RefreshThrottle::changeSeen(qint64 now) {
    if (pending_)
        return std::nullopt;
    pending_ = true;
    if (!lastRefresh_)
        return 0;
    return std::clamp<qint64>(*lastRefresh_ + intervalMs_ - now, 0, intervalMs_);
}

void RefreshThrottle::refreshed(qint64 now) {
    pending_ = false;
    lastRefresh_ = now;
}

} // namespace zorvane
