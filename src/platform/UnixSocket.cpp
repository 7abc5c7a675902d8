#include "platform/UnixSocket.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zorvane {

namespace {

bool connects(const QByteArray& name, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0; // an abstract name starts with a NUL
    if (name.isEmpty() || std::size_t(name.size()) + offset >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, name.constData(), std::size_t(name.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return false;
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + name.size());
    const bool connected =
        ::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(descriptor);
    return connected;
}

} // namespace

bool unixSocketAnswers(const QByteArray& path) {
    return connects(path, false) || connects(path, true);
}

} // namespace zorvane
