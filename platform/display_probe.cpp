#include "platform/display_probe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kDisplayTimeoutMs = 2000;
constexpr int kFirstXPort = 6000;

// Connects a fresh non-blocking socket to the address and waits at most timeoutMs for the
// connection to be accepted.
bool Connects(int family, const sockaddr* address, socklen_t length, int timeoutMs)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool connected = ::connect(fd, address, length) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        connected = ::poll(&p, 1, timeoutMs) == 1
                    && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    ::close(fd);
    return connected;
}

// A unix socket by path; with abstract set, the path in the abstract namespace.
bool UnixSocketAnswers(const std::string& path, bool abstract, int timeoutMs)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset
                                                    + path.size() + (abstract ? 0 : 1));
    return Connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length, timeoutMs);
}

bool TcpAnswers(const std::string& host, int port, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool answers = false;
    for (const addrinfo* a = found; a && !answers; a = a->ai_next)
        answers = Connects(a->ai_family, a->ai_addr, a->ai_addrlen, timeoutMs);
    ::freeaddrinfo(found);
    return answers;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool XDisplayAnswers(const std::string& display, int timeoutMs)
{
    const size_t colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    std::string host = display.substr(0, colon);
    const std::string rest = display.substr(colon + 1);
    const std::string number = rest.substr(0, rest.find('.'));
    if (number.empty() || number.size() > 5
        || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int n = std::atoi(number.c_str());
    if (!host.empty() && host[0] == '/') // a socket's own path, "/path/to/socket:0"
        return UnixSocketAnswers(host, false, timeoutMs);
    std::string protocol;
    const size_t slash = host.find('/');
    if (slash != std::string::npos) {
        protocol = host.substr(0, slash);
        host = host.substr(slash + 1);
    }
    if (protocol == "unix" || (protocol.empty() && (host.empty() || host == "unix"))) {
        const std::string path = "/tmp/.X11-unix/X" + number;
        return UnixSocketAnswers(path, true, timeoutMs)
               || UnixSocketAnswers(path, false, timeoutMs);
    }
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') // "[::1]:0"
        host = host.substr(1, host.size() - 2);
    if (host.empty())
        host = "localhost";
    return n <= 65535 - kFirstXPort && TcpAnswers(host, kFirstXPort + n, timeoutMs);
}

bool WaylandDisplayAnswers(const std::string& display, const std::string& runtimeDir)
{
    if (display.empty())
        return false;
    if (display[0] == '/')
        return UnixSocketAnswers(display, false, kDisplayTimeoutMs);
    if (runtimeDir.empty())
        return false;
    return UnixSocketAnswers(runtimeDir + "/" + display, false, kDisplayTimeoutMs);
}

bool DesktopSessionAnswers()
{
    if (!Environment("QT_QPA_PLATFORM").empty())
        return true;
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    if (!wayland.empty() && WaylandDisplayAnswers(wayland, Environment("XDG_RUNTIME_DIR")))
        return true;
    const std::string x = Environment("DISPLAY");
    return !x.empty() && XDisplayAnswers(x, kDisplayTimeoutMs);
}
