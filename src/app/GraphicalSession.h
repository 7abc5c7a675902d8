#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace zorvane {

// Whether Qt has a display to open. Without DISPLAY and WAYLAND_DISPLAY, Qt's X11 and Wayland
// platforms abort with a text of their own; a platform that needs no display (offscreen,
// minimal, vnc, eglfs...) chosen in QT_QPA_PLATFORM or with -platform on the command line is
// left to Qt. `arguments` are those following the program's name.
bool graphicalSessionReachable(const QByteArray& display, const QByteArray& waylandDisplay,
                               const QByteArray& qpaPlatform, const QStringList& arguments);

// The sockets of the displays named in DISPLAY and WAYLAND_DISPLAY, where they are files of
// this machine: /tmp/.X11-unix/X<n> for a local X display, the compositor's socket in
// `runtimeDir` (XDG_RUNTIME_DIR) or at the absolute path given. A display reached over the
// network (host:n, as ssh forwards it) has none.
QByteArrayList displaySockets(const QByteArray& display, const QByteArray& waylandDisplay,
                              const QByteArray& runtimeDir);

// Whether a display named in the environment is still there: a server answers on one of its
// sockets.
bool namedDisplayPresent();

// The one line said when there is none, with its line end.
QString noGraphicalSessionMessage(bool japanese);

} // namespace zorvane
