#pragma once
// Displays for tests, made of plain sockets: one that listens (as a live server does), and one
// that does not (a server gone away, or the socket file it left behind).
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace display_sockets {

inline const char* const kXSocketDir = "/tmp/.X11-unix";

// A socket bound to an address; listening or not. Closing it leaves a unix socket's file.
class Socket {
public:
    Socket() = default;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() { Close(); }

    // 127.0.0.1:port; false when the port is taken.
    bool BindTcp(int port, bool listen)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
               && (!listen || ::listen(fd_, 4) == 0);
    }
    // A socket file at path (abstract: in the abstract namespace, no file).
    bool BindUnix(const std::string& path, bool listen, bool abstract = false)
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const size_t offset = abstract ? 1 : 0;
        if (fd_ < 0 || path.size() + offset >= sizeof a.sun_path)
            return false;
        std::memcpy(a.sun_path + offset, path.data(), path.size());
        const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset
                                                        + path.size() + (abstract ? 0 : 1));
        return ::bind(fd_, reinterpret_cast<sockaddr*>(&a), length) == 0
               && (!listen || ::listen(fd_, 4) == 0);
    }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Whether a path exists.
inline bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A display number n whose TCP port 6000 + n on 127.0.0.1 nobody holds: bound here (so no
// one else takes it) but not listening, so a connection is refused. -1 if none was found.
inline int DeadTcpDisplay(Socket& holder)
{
    for (int n = 150; n < 400; ++n) {
        holder.Close();
        if (holder.BindTcp(6000 + n, false))
            return n;
    }
    return -1;
}

// A display number n with a socket file /tmp/.X11-unix/X<n> that nothing listens on, as a
// server that died leaves it, and with no abstract socket of that name; the file is removed
// with the object. n is -1 if none could be made.
class LeftoverXSocket {
public:
    LeftoverXSocket()
    {
        ::mkdir(kXSocketDir, 01777);
        for (int n = 150; n < 400 && number_ < 0; ++n) {
            const std::string path = std::string(kXSocketDir) + "/X" + std::to_string(n);
            Socket abstractName;
            if (Exists(path) || !abstractName.BindUnix(path, false, true))
                continue; // a display of that number exists, or its abstract socket is taken
            Socket file;
            if (file.BindUnix(path, false)) {
                number_ = n;
                path_ = path;
            }
        }
    }
    ~LeftoverXSocket()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    int Number() const { return number_; }
    const std::string& Path() const { return path_; }

private:
    int number_ = -1;
    std::string path_;
};

} // namespace display_sockets
