// The browser gives a page no sockets to listen on or to connect with:
// every call fails, and starting says why once.
#include "network/net_socket.h"

bool StartSockets(std::string& error) {
    error = "the browser can neither host nor join a networked game";
    return false;
}
std::vector<NetAddress> ResolveAddress(const std::string&, int, std::string& error) {
    error = "no network in the browser";
    return {};
}
std::string AddressText(const NetAddress&) { return "?"; }
NetSocket ListenTcp(bool, int, std::string& error) {
    error = "no network in the browser";
    return kNoSocket;
}
int LocalPort(NetSocket) { return 0; }
NetSocket AcceptTcp(NetSocket, std::string&) { return kNoSocket; }
NetSocket StartConnect(const NetAddress&, std::string& error) {
    error = "no network in the browser";
    return kNoSocket;
}
bool ConnectResult(NetSocket, std::string& error) {
    error = "no network in the browser";
    return false;
}
long SendBytes(NetSocket, const char*, size_t, std::string& error) {
    error = "no network in the browser";
    return -1;
}
long ReceiveBytes(NetSocket, char*, size_t, std::string& error) {
    error = "no network in the browser";
    return -1;
}
void CloseSocket(NetSocket) {}
NetSocket OpenUdp(int, std::string& error) {
    error = "no network in the browser";
    return kNoSocket;
}
bool SendDatagram(NetSocket, const NetAddress&, const char*, size_t) { return false; }
long ReceiveDatagram(NetSocket, char*, size_t, NetAddress&) { return -1; }
std::vector<NetAddress> BroadcastAddresses(int) { return {}; }
bool MakeWaker(NetSocket&, NetSocket&, std::string& error) {
    error = "no network in the browser";
    return false;
}
void WakePoll(NetSocket) {}
void DrainWaker(NetSocket) {}
void PollSockets(std::vector<NetPollEntry>&, int) {}
