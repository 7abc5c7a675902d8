#pragma once

#include <QString>
#include <QtGlobal>

namespace zorvane {

// Watches Qt while QApplication connects to the display. When the display named in DISPLAY or
// WAYLAND_DISPLAY has gone (a lost ssh forwarding, a crashed session), Qt's platform plugin
// fails and Qt aborts after a page of advice about reinstalling; the program instead says
// `lostDisplayText`, the line of a missing display, and ends with status 1. Nothing is asked of
// the display beforehand: a start that succeeds costs no second connection. While the guard
// lives Qt's messages are held back; a platform that fails while its display answers (a
// refused authorization, a broken installation) gets them and Qt's own end, and a start that
// succeeds passes them on when the guard ends. One guard at a time.
class PlatformStartGuard final {
public:
    explicit PlatformStartGuard(const QString& lostDisplayText);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

} // namespace zorvane
