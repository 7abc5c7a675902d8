#pragma once

#include <QtGlobal>

#include <chrono>

namespace zorvane {

// How far the viewer goes into a compressed file or an archive for what it shows: a bomb (a
// small file that expands without end, a stream that yields nothing for long) stops here. The
// bytes bound the file's bytes read and, apart, the bytes expanded from them.
struct ExpansionBounds {
    qint64 bytes = qint64(64) << 20;
    std::chrono::milliseconds time{30};
};

// Why the reading of a compressed stream or an archive ended.
enum class ExpansionStop {
    Complete, // at its end, or as far as the viewer wanted
    Damaged,  // the data is damaged or cut short there
    Bound,    // the bounds were used up first
};

// What is left of the bounds while one file is read; the time runs from the budget's making.
class ExpansionBudget {
public:
    explicit ExpansionBudget(const ExpansionBounds& bounds)
        : byteBound_(bounds.bytes), deadline_(std::chrono::steady_clock::now() + bounds.time) {}

    // Counts bytes read from the file and bytes expanded from them; false once the bounds are
    // used up, and from then on.
    bool spend(qint64 read, qint64 expanded) {
        read_ += read;
        expanded_ += expanded;
        if (read_ > byteBound_ || expanded_ > byteBound_ ||
            std::chrono::steady_clock::now() > deadline_)
            exhausted_ = true;
        return !exhausted_;
    }

    bool exhausted() const { return exhausted_; }

    // How a read that failed ended: the bounds, or else damaged data.
    ExpansionStop failure() const {
        return exhausted_ ? ExpansionStop::Bound : ExpansionStop::Damaged;
    }

private:
    qint64 byteBound_;
    std::chrono::steady_clock::time_point deadline_;
    qint64 read_ = 0;
    qint64 expanded_ = 0;
    bool exhausted_ = false;
};

} // namespace zorvane
