#include "app/GraphicalSession.h"

#include "platform/UnixSocket.h"

#include <algorithm>

namespace zorvane {

namespace {

// A platform that talks to a display server: X11 or one of the Wayland flavours.
bool needsDisplayServer(QByteArrayView name) {
    return name == "xcb" || name.startsWith("wayland");
}

} // namespace

bool graphicalSessionReachable(const QByteArray& display, const QByteArray& waylandDisplay,
                               const QByteArray& qpaPlatform, const QStringList& arguments) {
    if (!display.isEmpty() || !waylandDisplay.isEmpty())
        return true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--")
            break;
        if ((argument == u"-platform" || argument == u"--platform") && i + 1 < arguments.size())
            return true;
    }
    // A list such as "wayland;offscreen" is tried in order: one platform without a display
    // server is enough. "name:option=value" carries the platform's options after the colon.
    for (const QByteArray& entry : qpaPlatform.split(';')) {
        const qsizetype colon = entry.indexOf(':');
        const QByteArray name = (colon < 0 ? entry : entry.first(colon)).trimmed();
        if (!name.isEmpty() && !needsDisplayServer(name))
            return true;
    }
    return false;
}

QByteArrayList displaySockets(const QByteArray& display, const QByteArray& waylandDisplay,
                              const QByteArray& runtimeDir) {
    QByteArrayList sockets;
    // [host]:number[.screen]; the host "unix" or none means this machine's socket.
    const qsizetype colon = display.lastIndexOf(':');
    if (colon >= 0) {
        const QByteArray host = display.first(colon);
        const QByteArray number = display.sliced(colon + 1).split('.').constFirst();
        bool numeric = false;
        number.toUInt(&numeric);
        if (numeric && (host.isEmpty() || host == "unix"))
            sockets.append("/tmp/.X11-unix/X" + number);
    }
    if (waylandDisplay.startsWith('/'))
        sockets.append(waylandDisplay);
    else if (!waylandDisplay.isEmpty() && !runtimeDir.isEmpty())
        sockets.append(runtimeDir + '/' + waylandDisplay);
    return sockets;
}

bool namedDisplayPresent() {
    const QByteArrayList sockets =
        displaySockets(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_RUNTIME_DIR"));
    return std::any_of(sockets.cbegin(), sockets.cend(), unixSocketAnswers);
}

QString noGraphicalSessionMessage(bool japanese) {
    if (japanese)
        return QStringLiteral("zorvane: 表示先がありません。グラフィカルなデスクトップ環境"
                              "（X11 または Wayland）の中で起動してください。\n");
    return QStringLiteral("zorvane: no display. Start it inside a graphical desktop session "
                          "(X11 or Wayland).\n");
}

} // namespace zorvane
