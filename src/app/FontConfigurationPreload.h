#pragma once

#include <atomic>
#include <thread>

namespace zorvane {

// Reads the desktop's font configuration (fontconfig's files and caches, the largest single
// step of a start) on a thread of its own while the window's thread connects to the display,
// so the window's first font finds it read. Where the thread has not begun when the fonts are
// wanted, the window's thread reads it as it always did and the thread does nothing.
class FontConfigurationPreload final {
public:
    FontConfigurationPreload();
    ~FontConfigurationPreload();
    FontConfigurationPreload(const FontConfigurationPreload&) = delete;
    FontConfigurationPreload& operator=(const FontConfigurationPreload&) = delete;

    // Waits for a read under way; returns at once where none began.
    void finish();

private:
    enum State : int { NotBegun, Reading, Read, Dropped };
    std::atomic<int> state_{NotBegun};
    std::thread thread_;
};

} // namespace zorvane
