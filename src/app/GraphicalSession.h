#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zorvane {

// Whether Qt has a display to open. Without DISPLAY and WAYLAND_DISPLAY, Qt's X11 and Wayland
// platforms abort with a text of their own; a platform that needs no display (offscreen,
// minimal, vnc, eglfs...) chosen in QT_QPA_PLATFORM or with -platform on the command line is
// left to Qt. `arguments` are those following the program's name.
bool graphicalSessionReachable(const QByteArray& display, const QByteArray& waylandDisplay,
                               const QByteArray& qpaPlatform, const QStringList& arguments);

// The one line said when there is none, with its line end.
QString noGraphicalSessionMessage(bool japanese);

} // namespace zorvane
