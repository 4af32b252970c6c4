#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "network/net_socket.h"

namespace {

int Fd(NetSocket socket) { return static_cast<int>(socket); }

std::string Why() { return std::strerror(errno); }

void Prepare(int fd, bool tcp) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    const int on = 1;
    if (tcp) setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

NetAddress FromSockaddr(const sockaddr* address, socklen_t length) {
    NetAddress out;
    out.length = static_cast<int>(std::min<size_t>(length, sizeof out.bytes));
    std::memcpy(out.bytes, address, static_cast<size_t>(out.length));
    return out;
}

}  // namespace

bool StartSockets(std::string&) {
    // A write to a connection the peer closed must come back as an error,
    // not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

std::vector<NetAddress> ResolveAddress(const std::string& host, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int result = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    std::vector<NetAddress> out;
    if (result != 0) {
        error = gai_strerror(result);
        return out;
    }
    for (addrinfo* at = found; at != nullptr; at = at->ai_next)
        out.push_back(FromSockaddr(at->ai_addr, at->ai_addrlen));
    freeaddrinfo(found);
    return out;
}

std::string AddressText(const NetAddress& address) {
    char text[INET6_ADDRSTRLEN] = "?";
    const auto* base = reinterpret_cast<const sockaddr*>(address.bytes);
    if (base->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address.bytes)->sin_addr, text, sizeof text);
        return text;
    }
    if (base->sa_family == AF_INET6) {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address.bytes)->sin6_addr, text, sizeof text);
        return std::string("[") + text + "]";
    }
    return text;
}

NetSocket ListenTcp(bool ipv6, int port, std::string& error) {
    const int fd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        error = Why();
        return kNoSocket;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    int bound = -1;
    if (ipv6) {
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
        sockaddr_in6 address{};
        address.sin6_family = AF_INET6;
        address.sin6_addr = in6addr_any;
        address.sin6_port = htons(static_cast<uint16_t>(port));
        bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        address.sin_port = htons(static_cast<uint16_t>(port));
        bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    if (bound != 0 || listen(fd, 16) != 0) {
        error = Why();
        close(fd);
        return kNoSocket;
    }
    Prepare(fd, true);
    return fd;
}

int LocalPort(NetSocket socket) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    if (address.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
    if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    return 0;
}

NetSocket AcceptTcp(NetSocket listener, std::string& peerAddress) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const int fd = accept(Fd(listener), reinterpret_cast<sockaddr*>(&address), &length);
    if (fd < 0) return kNoSocket;
    Prepare(fd, true);
    peerAddress = AddressText(FromSockaddr(reinterpret_cast<sockaddr*>(&address), length));
    return fd;
}

NetSocket StartConnect(const NetAddress& address, std::string& error) {
    const auto* base = reinterpret_cast<const sockaddr*>(address.bytes);
    const int fd = socket(base->sa_family, SOCK_STREAM, 0);
    if (fd < 0) {
        error = Why();
        return kNoSocket;
    }
    Prepare(fd, true);
    if (connect(fd, base, static_cast<socklen_t>(address.length)) != 0 && errno != EINPROGRESS) {
        error = Why();
        close(fd);
        return kNoSocket;
    }
    return fd;
}

bool ConnectResult(NetSocket socket, std::string& error) {
    int failure = 0;
    socklen_t length = sizeof failure;
    if (getsockopt(Fd(socket), SOL_SOCKET, SO_ERROR, &failure, &length) != 0) failure = errno;
    if (failure == 0) return true;
    error = std::strerror(failure);
    return false;
}

long SendBytes(NetSocket socket, const char* data, size_t size, std::string& error) {
    const ssize_t sent = send(Fd(socket), data, size, MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<long>(sent);
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
    error = Why();
    return -1;
}

long ReceiveBytes(NetSocket socket, char* data, size_t size, std::string& error) {
    const ssize_t got = recv(Fd(socket), data, size, 0);
    if (got > 0) return static_cast<long>(got);
    if (got == 0) {
        error = "closed";
        return -1;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
    error = Why();
    return -1;
}

void CloseSocket(NetSocket socket) {
    if (socket != kNoSocket) close(Fd(socket));
}

NetSocket OpenUdp(int port, std::string& error) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        error = Why();
        return kNoSocket;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Why();
        close(fd);
        return kNoSocket;
    }
    Prepare(fd, false);
    return fd;
}

bool SendDatagram(NetSocket socket, const NetAddress& to, const char* data, size_t size) {
    return sendto(Fd(socket), data, size, 0, reinterpret_cast<const sockaddr*>(to.bytes),
                  static_cast<socklen_t>(to.length)) == static_cast<ssize_t>(size);
}

long ReceiveDatagram(NetSocket socket, char* data, size_t size, NetAddress& from) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const ssize_t got = recvfrom(Fd(socket), data, size, 0, reinterpret_cast<sockaddr*>(&address), &length);
    if (got < 0) return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
    from = FromSockaddr(reinterpret_cast<sockaddr*>(&address), length);
    return static_cast<long>(got);
}

std::vector<NetAddress> BroadcastAddresses(int port) {
    std::vector<NetAddress> out;
    auto add = [&](in_addr_t address) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = address;
        to.sin_port = htons(static_cast<uint16_t>(port));
        out.push_back(FromSockaddr(reinterpret_cast<sockaddr*>(&to), sizeof to));
    };
    add(htonl(0x7fffffff));  // 127.255.255.255
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return out;
    for (ifaddrs* at = interfaces; at != nullptr; at = at->ifa_next) {
        if ((at->ifa_flags & IFF_BROADCAST) == 0 || (at->ifa_flags & IFF_UP) == 0) continue;
        if (at->ifa_broadaddr == nullptr || at->ifa_broadaddr->sa_family != AF_INET) continue;
        add(reinterpret_cast<sockaddr_in*>(at->ifa_broadaddr)->sin_addr.s_addr);
    }
    freeifaddrs(interfaces);
    return out;
}

bool MakeWaker(NetSocket& readEnd, NetSocket& writeEnd, std::string& error) {
    // An eventfd: one small write to wake and one read to drain, cheaper
    // than a socket pair on the path of every message.
    const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0) {
        error = Why();
        return false;
    }
    readEnd = writeEnd = fd;
    return true;
}

void WakePoll(NetSocket writeEnd) {
    const uint64_t one = 1;
    // A full counter (never, in practice) still leaves the poll woken.
    if (write(Fd(writeEnd), &one, sizeof one) < 0) return;
}

void DrainWaker(NetSocket readEnd) {
    uint64_t count = 0;
    if (read(Fd(readEnd), &count, sizeof count) < 0) return;
}

void PollSockets(std::vector<NetPollEntry>& entries, int timeoutMs) {
    // Kept between calls: the worker polls once per message in a busy
    // exchange, and only it polls.
    static thread_local std::vector<pollfd> fds;
    fds.assign(entries.size(), pollfd{});
    for (size_t i = 0; i < entries.size(); ++i) {
        fds[i].fd = Fd(entries[i].socket);
        fds[i].events = static_cast<short>((entries[i].wantRead ? POLLIN : 0) | (entries[i].wantWrite ? POLLOUT : 0));
    }
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0) return;
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].canRead = (fds[i].revents & POLLIN) != 0;
        entries[i].canWrite = (fds[i].revents & POLLOUT) != 0;
        entries[i].broken = (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    }
}
