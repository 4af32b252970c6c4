// Winsock: the same calls as POSIX's, with WSAPoll for poll and a UDP
// socket talking to itself as the waker (Windows has no socketpair).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "network/net_socket.h"

namespace {

SOCKET Handle(NetSocket socket) { return static_cast<SOCKET>(socket); }

std::string Why(int code) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(code), 0,
                   text, sizeof text, nullptr);
    std::string out = text;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out.empty() ? "error " + std::to_string(code) : out;
}

std::string Why() { return Why(WSAGetLastError()); }

void Prepare(SOCKET s, bool tcp) {
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    const BOOL yes = TRUE;
    if (tcp) setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&yes), sizeof yes);
}

NetAddress FromSockaddr(const sockaddr* address, int length) {
    NetAddress out;
    out.length = std::min<int>(length, static_cast<int>(sizeof out.bytes));
    std::memcpy(out.bytes, address, static_cast<size_t>(out.length));
    return out;
}

bool WouldBlock(int code) { return code == WSAEWOULDBLOCK || code == WSAEINTR || code == WSAEINPROGRESS; }

NetAddress Ipv4(uint32_t hostOrder, int port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(hostOrder);
    to.sin_port = htons(static_cast<u_short>(port));
    return FromSockaddr(reinterpret_cast<sockaddr*>(&to), sizeof to);
}

}  // namespace

bool StartSockets(std::string& error) {
    static std::once_flag once;
    static int result = 0;
    std::call_once(once, [] {
        WSADATA data;
        result = WSAStartup(MAKEWORD(2, 2), &data);
    });
    if (result == 0) return true;
    error = "no Winsock: " + Why(result);
    return false;
}

std::vector<NetAddress> ResolveAddress(const std::string& host, int port, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    std::vector<NetAddress> out;
    const int result = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (result != 0) {
        error = Why(result);
        return out;
    }
    for (addrinfo* at = found; at != nullptr; at = at->ai_next) {
        out.push_back(FromSockaddr(at->ai_addr, static_cast<int>(at->ai_addrlen)));
    }
    freeaddrinfo(found);
    return out;
}

std::string AddressText(const NetAddress& address) {
    char text[INET6_ADDRSTRLEN] = "?";
    const auto* base = reinterpret_cast<const sockaddr*>(address.bytes);
    if (base->sa_family == AF_INET) {
        sockaddr_in copy;
        std::memcpy(&copy, address.bytes, sizeof copy);
        inet_ntop(AF_INET, &copy.sin_addr, text, sizeof text);
        return text;
    }
    if (base->sa_family == AF_INET6) {
        sockaddr_in6 copy;
        std::memcpy(&copy, address.bytes, sizeof copy);
        inet_ntop(AF_INET6, &copy.sin6_addr, text, sizeof text);
        return std::string("[") + text + "]";
    }
    return text;
}

NetSocket ListenTcp(bool ipv6, int port, std::string& error) {
    const SOCKET s = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        error = Why();
        return kNoSocket;
    }
    // Windows' SO_REUSEADDR would let another program take the port too:
    // exclusive use instead.
    const BOOL yes = TRUE;
    setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
    int bound = SOCKET_ERROR;
    if (ipv6) {
        setsockopt(s, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&yes), sizeof yes);
        sockaddr_in6 address{};
        address.sin6_family = AF_INET6;
        address.sin6_addr = in6addr_any;
        address.sin6_port = htons(static_cast<u_short>(port));
        bound = bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } else {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        address.sin_port = htons(static_cast<u_short>(port));
        bound = bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    if (bound != 0 || listen(s, 16) != 0) {
        error = Why();
        closesocket(s);
        return kNoSocket;
    }
    Prepare(s, true);
    return static_cast<NetSocket>(s);
}

int LocalPort(NetSocket socket) {
    sockaddr_storage address{};
    int length = sizeof address;
    if (getsockname(Handle(socket), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
    if (address.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
    if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    return 0;
}

NetSocket AcceptTcp(NetSocket listener, std::string& peerAddress) {
    sockaddr_storage address{};
    int length = sizeof address;
    const SOCKET s = accept(Handle(listener), reinterpret_cast<sockaddr*>(&address), &length);
    if (s == INVALID_SOCKET) return kNoSocket;
    Prepare(s, true);
    peerAddress = AddressText(FromSockaddr(reinterpret_cast<sockaddr*>(&address), length));
    return static_cast<NetSocket>(s);
}

NetSocket StartConnect(const NetAddress& address, std::string& error) {
    const auto* base = reinterpret_cast<const sockaddr*>(address.bytes);
    const SOCKET s = socket(base->sa_family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        error = Why();
        return kNoSocket;
    }
    Prepare(s, true);
    if (connect(s, base, address.length) != 0 && !WouldBlock(WSAGetLastError())) {
        error = Why();
        closesocket(s);
        return kNoSocket;
    }
    return static_cast<NetSocket>(s);
}

bool ConnectResult(NetSocket socket, std::string& error) {
    int failure = 0;
    int length = sizeof failure;
    if (getsockopt(Handle(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&failure), &length) != 0) {
        failure = WSAGetLastError();
    }
    if (failure == 0) return true;
    error = Why(failure);
    return false;
}

long SendBytes(NetSocket socket, const char* data, size_t size, std::string& error) {
    const int sent = send(Handle(socket), data, static_cast<int>(std::min<size_t>(size, 1 << 30)), 0);
    if (sent >= 0) return sent;
    const int code = WSAGetLastError();
    if (WouldBlock(code)) return 0;
    error = Why(code);
    return -1;
}

long ReceiveBytes(NetSocket socket, char* data, size_t size, std::string& error) {
    const int got = recv(Handle(socket), data, static_cast<int>(std::min<size_t>(size, 1 << 30)), 0);
    if (got > 0) return got;
    if (got == 0) {
        error = "closed";
        return -1;
    }
    const int code = WSAGetLastError();
    if (WouldBlock(code)) return 0;
    error = Why(code);
    return -1;
}

void CloseSocket(NetSocket socket) {
    if (socket != kNoSocket) closesocket(Handle(socket));
}

NetSocket OpenUdp(int port, std::string& error) {
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        error = Why();
        return kNoSocket;
    }
    const BOOL yes = TRUE;
    setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&yes), sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<u_short>(port));
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Why();
        closesocket(s);
        return kNoSocket;
    }
    Prepare(s, false);
    return static_cast<NetSocket>(s);
}

bool SendDatagram(NetSocket socket, const NetAddress& to, const char* data, size_t size) {
    return sendto(Handle(socket), data, static_cast<int>(size), 0, reinterpret_cast<const sockaddr*>(to.bytes),
                  to.length) == static_cast<int>(size);
}

long ReceiveDatagram(NetSocket socket, char* data, size_t size, NetAddress& from) {
    sockaddr_storage address{};
    int length = sizeof address;
    const int got =
        recvfrom(Handle(socket), data, static_cast<int>(size), 0, reinterpret_cast<sockaddr*>(&address), &length);
    if (got < 0) return WouldBlock(WSAGetLastError()) ? 0 : -1;
    from = FromSockaddr(reinterpret_cast<sockaddr*>(&address), length);
    return got;
}

std::vector<NetAddress> BroadcastAddresses(int port) {
    std::vector<NetAddress> out;
    out.push_back(Ipv4(0x7fffffff, port));  // 127.255.255.255
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) return out;
    INTERFACE_INFO interfaces[32];
    DWORD bytes = 0;
    if (WSAIoctl(s, SIO_GET_INTERFACE_LIST, nullptr, 0, interfaces, sizeof interfaces, &bytes, nullptr, nullptr) == 0) {
        const size_t count = bytes / sizeof(INTERFACE_INFO);
        for (size_t i = 0; i < count; ++i) {
            const INTERFACE_INFO& each = interfaces[i];
            if ((each.iiFlags & IFF_UP) == 0 || (each.iiFlags & IFF_BROADCAST) == 0) continue;
            if (each.iiAddress.Address.sa_family != AF_INET) continue;
            const uint32_t address = ntohl(each.iiAddress.AddressIn.sin_addr.s_addr);
            const uint32_t mask = ntohl(each.iiNetmask.AddressIn.sin_addr.s_addr);
            out.push_back(Ipv4(address | ~mask, port));
        }
    }
    closesocket(s);
    return out;
}

bool MakeWaker(NetSocket& readEnd, NetSocket& writeEnd, std::string& error) {
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        error = Why();
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Why();
        closesocket(s);
        return false;
    }
    Prepare(s, false);
    // One socket is both ends: what it sends to itself it reads.
    readEnd = writeEnd = static_cast<NetSocket>(s);
    return true;
}

void WakePoll(NetSocket writeEnd) { send(Handle(writeEnd), "w", 1, 0); }

void DrainWaker(NetSocket readEnd) {
    char drain[64];
    for (int i = 0; i < 64 && recv(Handle(readEnd), drain, sizeof drain, 0) > 0; ++i) {
    }
}

void PollSockets(std::vector<NetPollEntry>& entries, int timeoutMs) {
    // Kept between calls: the worker polls once per message in a busy
    // exchange, and only it polls.
    static thread_local std::vector<WSAPOLLFD> fds;
    fds.assign(entries.size(), WSAPOLLFD{});
    for (size_t i = 0; i < entries.size(); ++i) {
        fds[i].fd = Handle(entries[i].socket);
        fds[i].events =
            static_cast<SHORT>((entries[i].wantRead ? POLLRDNORM : 0) | (entries[i].wantWrite ? POLLWRNORM : 0));
    }
    if (WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs) <= 0) return;
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].canRead = (fds[i].revents & POLLRDNORM) != 0;
        entries[i].canWrite = (fds[i].revents & POLLWRNORM) != 0;
        entries[i].broken = (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
    }
}
