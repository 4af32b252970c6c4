// The network commands of the game thread. None of them waits for the
// network: they leave orders and messages for the worker under the shared
// mutex and read what it reported. Bad arguments give the failure value and
// one log line naming the command.
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "aerox/network.h"
#include "aerox/program.h"
#include "network/net_frame.h"
#include "network/net_protocol.h"
#include "network/net_shared.h"
#include "network/net_worker.h"
#include "network/network.h"
#include "runtime/startup_settings.h"

namespace {

NetShared g_net;
// The message NetReceive took last.
RtString g_message;
// The port NetHost listens on; 0 while not hosting.
int g_hostPort = 0;

void Log(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

bool PortNumber(const char* command, double port, int& out) {
    if (!(port >= 1 && port <= 65535)) {
        Log(command, "port " + std::to_string(port) + " is not 1..65535");
        return false;
    }
    out = static_cast<int>(port);
    return true;
}

std::string GameName() {
    const char* caption = g_settings.caption != nullptr ? g_settings.caption : "Game";
    return std::string(caption).substr(0, kMaxGameName);
}

RtString Bytes(const std::string& bytes) {
    // RtString keeps NUL bytes within its length; a buffer filled without
    // them gets the right length from FixLength, then they are put back.
    RtString out;
    if (bytes.empty()) return out;
    char* buffer = out.WritableBuffer(static_cast<uint32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) buffer[i] = bytes[i] == '\0' ? '\1' : bytes[i];
    buffer[bytes.size()] = '\0';
    out.FixLength();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') out.SetChar(static_cast<int64_t>(i), '\0');
    }
    return out;
}

// Starts the worker; false (logged) where there is no network.
bool Ready(const char* command) {
    std::string error;
    if (StartNetWorker(g_net, error)) return true;
    Log(command, error);
    return false;
}

// Whether a game is under way (logged: the command needs NetClose first).
bool Busy(const char* command) {
    if (g_net.state == 1 || g_net.state == 2 || g_net.order != NetOrder::kNone) {
        Log(command, "already hosting or joined: call NetClose first");
        return true;
    }
    return false;
}

// Sends text to peer, written at once when nothing waits before it, else
// queued for the worker; false when the queue is full. wake: the worker
// has bytes to see to.
bool Queue(NetPeerShared& peer, std::string_view text, bool& wake) {
    const NetThrough through = SendThrough(g_net, peer, text);
    if (through != NetThrough::kQueue) {
        wake = wake || through == NetThrough::kSentWake;
        return true;
    }
    if (peer.outbox.size() >= kMaxQueuedMessages || peer.outBytes + text.size() > kMaxQueuedBytes) return false;
    peer.outbox.emplace_back(text);
    peer.outBytes += text.size();
    wake = true;
    return true;
}

}  // namespace

double NetHost(double port, double maxPeers) {
    int number = 0;
    // Port 0: the system picks a free one.
    if (port != 0 && !PortNumber("NetHost", port, number)) return 0;
    if (!(maxPeers >= 1 && maxPeers <= kMaxNetPeers)) {
        Log("NetHost", "most peers " + std::to_string(maxPeers) + " is not 1..15");
        return 0;
    }
    if (!Ready("NetHost")) return 0;
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (Busy("NetHost")) return 0;
    // Bound here, so that a port in use is known at once.
    std::string error;
    const NetSocket ipv4 = ListenTcp(false, number, error);
    if (ipv4 == kNoSocket) {
        Log("NetHost", "cannot listen on port " + std::to_string(number) + ": " + error);
        return 0;
    }
    if (number == 0) number = LocalPort(ipv4);
    std::string ipv6Error;
    g_net.listeners[0] = ipv4;
    g_net.listeners[1] = ListenTcp(true, number, ipv6Error);
    std::string udpError;
    g_net.hostUdp = OpenUdp(number, udpError);
    if (g_net.hostUdp == kNoSocket) Log("NetHost", "not found by NetFindHosts: " + udpError);
    g_net.port = number;
    g_net.maxPeers = static_cast<int>(maxPeers);
    g_net.gameName = GameName();
    g_net.order = NetOrder::kHost;
    g_hostPort = number;
    g_net.state = 2;
    g_net.reason.clear();
    g_net.peers.clear();
    g_net.inbox.clear();
    if (ClaimNetWake(g_net)) WakeNetWorker(g_net);
    return 1;
}

double NetJoin(const RtString& address, double port) {
    int number = 0;
    if (!PortNumber("NetJoin", port, number)) return 0;
    const std::string host(address.Text(), address.Length());
    if (host.empty() || host.size() > 255 || host.find_first_of(std::string("\0 \t\r\n", 5)) != std::string::npos) {
        // Appended piece by piece: GCC 12 at -O3 sees a false overlap in
        // "..." + std::string.
        std::string why = "\"";
        why += host.substr(0, 64);
        why += "\" is not a host name or address";
        Log("NetJoin", why);
        return 0;
    }
    if (!Ready("NetJoin")) return 0;
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (Busy("NetJoin")) return 0;
    g_hostPort = 0;
    g_net.joinAddress = host;
    g_net.port = number;
    g_net.gameName = GameName();
    g_net.order = NetOrder::kJoin;
    g_net.state = 1;
    g_net.reason.clear();
    g_net.peers.clear();
    g_net.inbox.clear();
    if (ClaimNetWake(g_net)) WakeNetWorker(g_net);
    return 1;
}

double NetPort() {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    return g_net.state == 2 ? g_hostPort : 0;
}

double NetState() {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    return g_net.state;
}

RtString NetReason() {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    return RtString(g_net.reason.c_str());
}

double NetPeerCount() {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    return static_cast<double>(g_net.peers.size());
}

double NetPeerId(double index) {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (!(index >= 0 && index < static_cast<double>(g_net.peers.size()))) return -1;
    return g_net.peers[static_cast<size_t>(index)].id;
}

double NetSend(double peer, const RtString& text) {
    const std::string_view bytes(text.Text(), text.Length());
    if (bytes.size() > kMaxFramePayload - 1) {
        Log("NetSend", "a message of " + std::to_string(bytes.size()) + " bytes is over the limit of 65535");
        return 0;
    }
    bool queued = false;
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(g_net.mutex);
        if (g_net.state != 2) return 0;
        if (peer == -1) {
            queued = !g_net.peers.empty();
            for (NetPeerShared& each : g_net.peers) queued = Queue(each, bytes, wake) && queued;
        } else if (peer >= 0 && peer == std::floor(peer) && peer <= 0xffffffffu) {
            NetPeerShared* found = g_net.Peer(static_cast<uint32_t>(peer));
            queued = found != nullptr && Queue(*found, bytes, wake);
        }
        wake = wake && ClaimNetWake(g_net);
    }
    if (wake) WakeNetWorker(g_net);
    return queued ? 1 : 0;
}

namespace {

// With nothing waiting, reads the sockets here rather than wait for the
// worker to hand over what came; skipped while the worker holds the mutex
// (it is reading them then).
void ReadHere() {
    std::unique_lock<std::mutex> lock(g_net.mutex, std::try_to_lock);
    if (!lock.owns_lock() || g_net.state != 2 || g_net.peers.empty()) return;
    const bool wake = ReadThrough(g_net) && ClaimNetWake(g_net);
    lock.unlock();
    if (wake) WakeNetWorker(g_net);
}

}  // namespace

double NetReceive() {
    if (!g_net.inboxWaiting.load(std::memory_order_acquire)) ReadHere();
    if (!g_net.inboxWaiting.load(std::memory_order_acquire)) return -1;
    NetInbound message;
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(g_net.mutex);
        if (g_net.inbox.empty()) {
            g_net.inboxWaiting.store(false, std::memory_order_relaxed);
            return -1;
        }
        message = std::move(g_net.inbox.front());
        g_net.inbox.pop_front();
        if (g_net.inbox.empty()) g_net.inboxWaiting.store(false, std::memory_order_relaxed);
        if (NetPeerShared* peer = g_net.Peer(message.peer)) {
            const bool wasFull = peer->inCount >= kMaxQueuedMessages || peer->inBytes >= kMaxQueuedBytes;
            peer->inCount--;
            peer->inBytes -= message.text.size();
            // The worker stopped reading this peer while its queue was full.
            wake = wasFull && ClaimNetWake(g_net);
        }
    }
    if (wake) WakeNetWorker(g_net);
    g_message = Bytes(message.text);
    return message.peer;
}

RtString NetMessage() { return g_message; }

double NetPing(double peer) {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (!(peer >= 0 && peer <= 0xffffffffu)) return -1;
    const NetPeerShared* found = g_net.Peer(static_cast<uint32_t>(peer));
    return found != nullptr ? found->pingMs : -1;
}

void NetClose() {
    {
        std::lock_guard<std::mutex> lock(g_net.mutex);
        if (!g_net.running) return;
        g_net.order = NetOrder::kClose;
        g_net.closeDone = false;
        if (ClaimNetWake(g_net)) WakeNetWorker(g_net);
    }
    // The worker flushes for up to 1 s; a little more is allowed for its
    // round of polling.
    for (int step = 0; step < 130; ++step) {
        {
            std::lock_guard<std::mutex> lock(g_net.mutex);
            if (g_net.closeDone || !g_net.running) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::lock_guard<std::mutex> lock(g_net.mutex);
    g_hostPort = 0;
    g_net.state = 0;
    g_net.reason.clear();
    g_net.peers.clear();
    g_net.inbox.clear();
}

double NetFindHosts(double port) {
    int number = 0;
    if (!PortNumber("NetFindHosts", port, number)) return 0;
    if (!Ready("NetFindHosts")) return 0;
    std::lock_guard<std::mutex> lock(g_net.mutex);
    g_net.found.clear();
    g_net.findPort = number;
    if (ClaimNetWake(g_net)) WakeNetWorker(g_net);
    return 1;
}

double NetHostCount() {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    return static_cast<double>(g_net.found.size());
}

RtString NetHostAddress(double index) {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (!(index >= 0 && index < static_cast<double>(g_net.found.size()))) return RtString();
    return RtString(g_net.found[static_cast<size_t>(index)].address.c_str());
}

RtString NetHostName(double index) {
    std::lock_guard<std::mutex> lock(g_net.mutex);
    if (!(index >= 0 && index < static_cast<double>(g_net.found.size()))) return RtString();
    return Bytes(g_net.found[static_cast<size_t>(index)].name);
}

void StopNetwork() {
    StopNetWorker(g_net);
    g_hostPort = 0;
    g_message = RtString();
}
