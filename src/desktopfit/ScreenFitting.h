#pragma once

#include <QObject>

class QWidget;

namespace zorvane {

// Fits a window into the available area of its screen as it is shown (see fitWindow): a window
// that may be resized is made smaller; one of a fixed size whose controls are placed by hand
// (the program's dialogs) gets scroll bars around them instead, its controls keeping their
// designed places and sizes. A window the program placed itself is moved into the area.
void fitWindowIntoScreen(QWidget& window);

// Does fitWindowIntoScreen for every dialog and secondary window of the application as it is
// shown, after widening the captions of one placed by hand to what the desktop's fonts need. The
// main window is left out: it fits itself as it applies its stored place and size.
class ScreenFitting final : public QObject {
public:
    // Installs one filter on the application; again is harmless.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace zorvane
