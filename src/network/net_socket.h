// The operating system's sockets, behind one face: net_socket_posix.cpp,
// net_socket_windows.cpp (Winsock, WSAPoll) and net_socket_web.cpp (the
// browser, which can neither host nor join). Every socket made here is
// non-blocking, and every TCP one has Nagle's delay off.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using NetSocket = std::intptr_t;
constexpr NetSocket kNoSocket = -1;

// A socket address as the system holds it (IPv4 or IPv6), kept opaque.
struct NetAddress {
    unsigned char bytes[128] = {};
    int length = 0;
};

// Readies the sockets once per process; false (error says why) where there
// are none.
bool StartSockets(std::string& error);

// The addresses of host (a name or a numeric address) at port, IPv4 and
// IPv6 both; empty (error says why) when it cannot be found.
std::vector<NetAddress> ResolveAddress(const std::string& host, int port, std::string& error);
// "address" or "[address]" for IPv6, without the port.
std::string AddressText(const NetAddress& address);

// A TCP socket listening on every address of one family (ipv6: IPv6 only)
// at port, or kNoSocket (error says why).
NetSocket ListenTcp(bool ipv6, int port, std::string& error);
// The port a socket is bound to, or 0 when it cannot be told.
int LocalPort(NetSocket socket);
// The next waiting connection, or kNoSocket when none waits.
NetSocket AcceptTcp(NetSocket listener, std::string& peerAddress);
// Starts connecting to address; the socket turns writable when it is done
// (then ConnectResult tells how it went). kNoSocket (error) when it cannot
// even start.
NetSocket StartConnect(const NetAddress& address, std::string& error);
bool ConnectResult(NetSocket socket, std::string& error);

// Bytes sent (> 0), 0 when the socket takes no more now, -1 when the
// connection is broken (error says why).
long SendBytes(NetSocket socket, const char* data, size_t size, std::string& error);
// Bytes read (> 0), 0 when nothing waits, -1 when the connection ended
// (error: "closed" for an orderly end, else why).
long ReceiveBytes(NetSocket socket, char* data, size_t size, std::string& error);
void CloseSocket(NetSocket socket);

// A UDP socket bound to port on every IPv4 address (0: any port), allowed
// to broadcast; kNoSocket (error) when it cannot be had.
NetSocket OpenUdp(int port, std::string& error);
bool SendDatagram(NetSocket socket, const NetAddress& to, const char* data, size_t size);
// Bytes of the next datagram, 0 when none waits, -1 on error.
long ReceiveDatagram(NetSocket socket, char* data, size_t size, NetAddress& from);
// The broadcast address at port of every interface that has one, and this
// machine's own loopback broadcast, so that copies on one machine find
// each other.
std::vector<NetAddress> BroadcastAddresses(int port);

// A waker: WakePoll(writeEnd) wakes a poll that waits to read readEnd
// (both ends may be one handle), and DrainWaker(readEnd) takes back every
// wake so far. An event counter where the system has one, else a socket
// that talks to itself.
bool MakeWaker(NetSocket& readEnd, NetSocket& writeEnd, std::string& error);
void WakePoll(NetSocket writeEnd);
void DrainWaker(NetSocket readEnd);

struct NetPollEntry {
    NetSocket socket = kNoSocket;
    bool wantRead = false;
    bool wantWrite = false;
    bool canRead = false;
    bool canWrite = false;
    bool broken = false;  // an error or hang-up: reading tells which
};
// Waits at most timeoutMs for one of the entries to be ready.
void PollSockets(std::vector<NetPollEntry>& entries, int timeoutMs);
