#pragma once

#include <QtGlobal>

#include <optional>

namespace zorvane {

// When to read the shown folder again after another program changed it. The first change
// after a quiet spell is followed at once; changes that come while the lists were read less
// than an interval ago wait for the interval to end, so a script making thousands of files
// costs one read per interval and the window answers between them. Times are in milliseconds
// of any steady clock.
class RefreshThrottle final {
public:
    explicit RefreshThrottle(qint64 intervalMs = 500) : intervalMs_(intervalMs) {}

    // A change was seen at `now`. Returns how long to wait before reading the folder again,
    // or nothing when a read is already waiting (it will show this change too).
    std::optional<qint64> changeSeen(qint64 now);

    // The waiting read is done; `now` is when it ended, so the interval counts from the end of
    // a long read.
    void refreshed(qint64 now);

private:
    qint64 intervalMs_;
    std::optional<qint64> lastRefresh_;
    bool pending_ = false;
};

} // namespace zorvane
