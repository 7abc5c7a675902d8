#include "app/FontConfigurationPreload.h"

#include <dlfcn.h>
#include <system_error>

namespace zorvane {

FontConfigurationPreload::FontConfigurationPreload() {
    // Qt's GUI library brings fontconfig with it; where Qt reads fonts some other way the
    // name is not there and nothing is read ahead.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init) {
        state_ = Dropped;
        return;
    }
    try {
        thread_ = std::thread([this, init] {
            int expected = NotBegun;
            if (!state_.compare_exchange_strong(expected, Reading))
                return;
            init();
            state_.store(Read);
            state_.notify_all();
        });
    } catch (const std::system_error&) {
        state_ = Dropped;
    }
}

FontConfigurationPreload::~FontConfigurationPreload() {
    finish();
    if (thread_.joinable())
        thread_.join();
}

void FontConfigurationPreload::finish() {
    int expected = NotBegun;
    if (state_.compare_exchange_strong(expected, Dropped))
        return;
    state_.wait(Reading);
}

} // namespace zorvane
