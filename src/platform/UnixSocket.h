#pragma once

#include <QByteArray>

namespace zorvane {

// Whether a server listens on the Unix socket at `path`, in the file system or in the abstract
// namespace under the same name (where X servers listen as well). The connection is closed at
// once; a socket file left by a server that crashed answers no.
bool unixSocketAnswers(const QByteArray& path);

} // namespace zorvane
