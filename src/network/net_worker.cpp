#include "network/net_worker.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "aerox/program.h"
#include "network/net_link.h"
#include "network/net_protocol.h"

namespace {

using std::chrono::milliseconds;

constexpr auto kHelloTime = std::chrono::seconds(5);
constexpr auto kConnectTime = std::chrono::seconds(5);
constexpr auto kPingAfter = std::chrono::seconds(1);
constexpr auto kSilentDrop = std::chrono::seconds(10);
constexpr auto kFlushTime = std::chrono::seconds(1);
constexpr auto kFindTime = std::chrono::seconds(1);
// Bytes of frames the worker takes from a peer's queue ahead of the
// socket; the rest waits in the queue, where its limit holds.
constexpr size_t kOutAhead = size_t{256} * 1024;
constexpr size_t kReadPiece = size_t{64} * 1024;
// Sends closer together than this, with nothing heard between, are a
// stream: the worker writes them, many a call.
constexpr auto kStreamGap = std::chrono::milliseconds(1);
// How long after NetReceive last read the sockets itself the worker
// leaves them to it; it looks again at least this often meanwhile.
constexpr auto kGameReads = std::chrono::milliseconds(2);
// How long the worker keeps looking after traffic before it sleeps.
constexpr auto kSpinTime = std::chrono::microseconds(60);

void Log(const std::string& line) { AppendLogLine(("network: " + line).c_str()); }

uint64_t Micros(NetClock::time_point at) {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count());
}

class Worker {
public:
    explicit Worker(NetShared& shared) : shared_(shared) {}
    void Run();
    void Goodbye();
    NetThrough SendThrough(NetPeerShared& peer, std::string_view text);
    bool ReadThrough();

private:
    void TakeOrders();
    void StartHost();
    void StartJoin();
    bool ConnectNext();
    void Close();
    void FillOutgoing(NetLink& link);
    void Accept(NetSocket listener);
    bool ReadLink(NetLink& link);
    void TakeFrames(NetLink& link);
    bool HandlePayload(NetLink& link, const std::string& payload);
    void HandleHello(NetLink& link, const NetPayload& message);
    bool WriteLink(NetLink& link);
    void Send(NetLink& link, const std::string& payload) { AppendFrame(link.out, payload); }
    void Timers(NetLink& link, NetClock::time_point now);
    void End(NetLink& link, const std::string& why);
    void Bury();
    void AnswerFinds();
    void ReadAnswers();
    void CloseAll();
    void WaitForSockets(std::vector<NetPollEntry>& entries, int timeoutMs);

    NetShared& shared_;
    std::vector<std::unique_ptr<NetLink>> links_;
    NetSocket listeners_[2] = {kNoSocket, kNoSocket};
    NetSocket hostUdp_ = kNoSocket;
    NetSocket findUdp_ = kNoSocket;
    NetClock::time_point findUntil_;
    int port_ = 0;
    int maxPeers_ = 0;
    uint32_t nextId_ = 1;
    bool hosting_ = false;
    std::string gameName_;
    std::vector<NetAddress> joinAddresses_;
    size_t joinNext_ = 0;
    bool closing_ = false;
    // Bytes moved by the worker since it last waited.
    bool traffic_ = false;
    // The link NetReceive reads first next time.
    size_t readNext_ = 0;
    std::vector<char> buffer_ = std::vector<char>(kReadPiece);
};

void Worker::TakeOrders() {
    // Called with the mutex held.
    const NetOrder order = shared_.order;
    shared_.order = NetOrder::kNone;
    if (order == NetOrder::kHost) StartHost();
    if (order == NetOrder::kJoin) StartJoin();
    if (order == NetOrder::kClose) Close();
    if (shared_.findPort > 0) {
        std::string error;
        CloseSocket(findUdp_);
        findUdp_ = OpenUdp(0, error);
        if (findUdp_ == kNoSocket) {
            Log("NetFindHosts: no UDP socket: " + error);
        } else {
            std::string query;
            AppendFrame(query, KindPayload(NetKind::kFind));
            for (const NetAddress& to : BroadcastAddresses(shared_.findPort)) {
                SendDatagram(findUdp_, to, query.data(), query.size());
            }
            findUntil_ = NetClock::now() + kFindTime;
        }
        shared_.findPort = 0;
    }
    for (auto& link : links_) {
        if (!link->welcomed || !link->ended.empty()) continue;
        FillOutgoing(*link);
        // Written at once: a message waits for no second round of polling.
        if (WriteLink(*link)) traffic_ = true;
    }
}

void Worker::StartHost() {
    CloseAll();
    listeners_[0] = shared_.listeners[0];
    listeners_[1] = shared_.listeners[1];
    hostUdp_ = shared_.hostUdp;
    shared_.listeners[0] = shared_.listeners[1] = shared_.hostUdp = kNoSocket;
    port_ = shared_.port;
    maxPeers_ = shared_.maxPeers;
    gameName_ = shared_.gameName;
    nextId_ = 1;
    hosting_ = true;
}

void Worker::StartJoin() {
    CloseAll();
    hosting_ = false;
    gameName_ = shared_.gameName;
    const std::string host = shared_.joinAddress;
    const int port = shared_.port;
    // The name lookup may take a while: the game thread goes on meanwhile,
    // and the commands wait only for the mutex, never for the lookup.
    shared_.mutex.unlock();
    std::string error;
    std::vector<NetAddress> addresses = ResolveAddress(host, port, error);
    shared_.mutex.lock();
    joinAddresses_ = std::move(addresses);
    joinNext_ = 0;
    if (joinAddresses_.empty()) {
        shared_.state = -2;
        shared_.reason = "lost: cannot find " + host + ": " + error;
        Log("NetJoin: " + shared_.reason);
        return;
    }
    ConnectNext();
}

bool Worker::ConnectNext() {
    std::string error = "no address";
    while (joinNext_ < joinAddresses_.size()) {
        const NetAddress& address = joinAddresses_[joinNext_++];
        const NetSocket socket = StartConnect(address, error);
        if (socket == kNoSocket) continue;
        auto link = std::make_unique<NetLink>();
        link->socket = socket;
        link->address = AddressText(address);
        link->connecting = true;
        link->opened = link->lastHeard = link->lastPing = NetClock::now();
        links_.push_back(std::move(link));
        return true;
    }
    shared_.state = -2;
    shared_.reason = "lost: cannot connect: " + error;
    Log("NetJoin: " + shared_.reason);
    return false;
}

void Worker::Close() {
    for (auto& link : links_) {
        if (!link->ended.empty()) continue;
        if (NetPeerShared* peer = link->welcomed ? shared_.Peer(link->id) : nullptr) {
            for (const std::string& text : peer->outbox) AppendDataFrame(link->out, text);
            peer->outbox.clear();
            peer->outBytes = 0;
        }
        if (link->welcomed) Send(*link, KindPayload(NetKind::kGoodbye));
        link->closing = true;
        link->closeBy = NetClock::now() + kFlushTime;
    }
    for (NetSocket& listener : listeners_) {
        CloseSocket(listener);
        listener = kNoSocket;
    }
    CloseSocket(hostUdp_);
    hostUdp_ = kNoSocket;
    // A NetHost this worker had not yet taken up when NetClose came.
    for (NetSocket& listener : shared_.listeners) {
        CloseSocket(listener);
        listener = kNoSocket;
    }
    CloseSocket(shared_.hostUdp);
    shared_.hostUdp = kNoSocket;
    hosting_ = false;
    closing_ = true;
    shared_.peers.clear();
    shared_.inbox.clear();
    shared_.state = 0;
    shared_.reason.clear();
}

void Worker::FillOutgoing(NetLink& link) {
    NetPeerShared* peer = shared_.Peer(link.id);
    if (peer == nullptr) return;
    while (!peer->outbox.empty() && link.OutWaiting() < kOutAhead) {
        const std::string& text = peer->outbox.front();
        AppendDataFrame(link.out, text);
        peer->outBytes -= text.size();
        peer->outbox.pop_front();
    }
}

void Worker::Accept(NetSocket listener) {
    for (int i = 0; i < 16; ++i) {
        auto link = std::make_unique<NetLink>();
        link->socket = AcceptTcp(listener, link->address);
        if (link->socket == kNoSocket) return;
        link->opened = link->lastHeard = link->lastPing = NetClock::now();
        links_.push_back(std::move(link));
    }
}

bool Worker::ReadLink(NetLink& link) {
    std::string error;
    const long got = ReceiveBytes(link.socket, buffer_.data(), buffer_.size(), error);
    if (got < 0) {
        End(link, error == "closed" ? "the connection was closed" : "the connection broke: " + error);
        return false;
    }
    if (got == 0) return false;
    link.lastHeard = NetClock::now();
    link.rawIn.append(buffer_.data(), static_cast<size_t>(got));
    return true;
}

void Worker::TakeFrames(NetLink& link) {
    // Called with the mutex held. Frames are taken while the peer's
    // incoming queue has room; the rest waits, and so does the socket.
    std::string_view bytes = link.rawIn;
    std::string payload;
    while (link.ended.empty() && !bytes.empty()) {
        if (link.welcomed) {
            const NetPeerShared* peer = shared_.Peer(link.id);
            if (peer != nullptr && (peer->inCount >= kMaxQueuedMessages || peer->inBytes >= kMaxQueuedBytes)) break;
        }
        const FrameStatus status = link.reader.Next(bytes, payload);
        if (status == FrameStatus::kBad) {
            End(link, "sent " + link.reader.Error());
            break;
        }
        if (status == FrameStatus::kNeedMore) break;
        if (!HandlePayload(link, payload)) break;
    }
    link.rawIn.erase(0, link.rawIn.size() - bytes.size());
}

bool Worker::HandlePayload(NetLink& link, const std::string& payload) {
    NetPayload message;
    std::string error;
    if (!ReadPayload(payload, message, error)) {
        End(link, "sent " + error);
        return false;
    }
    const bool joiner = !hosting_;
    switch (message.kind) {
        case NetKind::kHello:
            if (joiner || link.welcomed) break;
            HandleHello(link, message);
            return link.ended.empty() && !link.closing;
        case NetKind::kWelcome:
            if (!joiner || link.welcomed) break;
            link.welcomed = true;
            link.id = 0;
            shared_.peers.push_back(NetPeerShared{});
            shared_.peers.back().link = &link;
            shared_.state = 2;
            shared_.reason.clear();
            return true;
        case NetKind::kRefuse:
            if (!joiner || link.welcomed) break;
            shared_.state = -1;
            shared_.reason = RefusalText(message.number);
            Log("NetJoin: " + link.address + " " + shared_.reason);
            link.ended = shared_.reason;
            return false;
        case NetKind::kPing:
            if (!link.welcomed) break;
            Send(link, StampPayload(NetKind::kPong, message.stamp));
            return true;
        case NetKind::kPong:
            if (!link.welcomed) break;
            if (NetPeerShared* peer = shared_.Peer(link.id)) {
                const uint64_t now = Micros(NetClock::now());
                if (message.stamp <= now) peer->pingMs = static_cast<double>(now - message.stamp) / 1000.0;
            }
            return true;
        case NetKind::kGoodbye:
            if (!link.welcomed) break;
            End(link, "left");
            return false;
        case NetKind::kData:
            if (!link.welcomed) break;
            if (NetPeerShared* peer = shared_.Peer(link.id)) {
                peer->heardSince = true;
                peer->inCount++;
                peer->inBytes += message.text.size();
                shared_.inbox.push_back(NetInbound{link.id, std::move(message.text)});
                shared_.inboxWaiting.store(true, std::memory_order_release);
            }
            return true;
        default: break;
    }
    End(link, std::string("sent a message of kind '") + payload[0] + "' out of turn");
    return false;
}

void Worker::HandleHello(NetLink& link, const NetPayload& message) {
    NetRefusal refusal{};
    bool refused = true;
    if (message.number != kNetProtocolVersion) {
        refusal = NetRefusal::kOtherVersion;
    } else if (message.text != gameName_) {
        refusal = NetRefusal::kOtherGame;
    } else if (shared_.peers.size() >= static_cast<size_t>(maxPeers_)) {
        refusal = NetRefusal::kFull;
    } else {
        refused = false;
    }
    if (refused) {
        Log("NetHost: " + link.address + " " + RefusalText(static_cast<uint32_t>(refusal)));
        Send(link, RefusePayload(refusal));
        link.closing = true;
        link.closeBy = NetClock::now() + kFlushTime;
        return;
    }
    link.welcomed = true;
    link.id = nextId_++;
    NetPeerShared peer;
    peer.id = link.id;
    peer.link = &link;
    shared_.peers.push_back(std::move(peer));
    Send(link, WelcomePayload(link.id));
}

bool Worker::WriteLink(NetLink& link) {
    if (link.OutWaiting() == 0) return false;
    std::string error;
    const long sent = SendBytes(link.socket, link.out.data() + link.outAt, link.OutWaiting(), error);
    if (sent < 0) {
        End(link, "the connection broke: " + error);
        return false;
    }
    link.outAt += static_cast<size_t>(sent);
    if (link.outAt == link.out.size() || link.outAt > kOutAhead) {
        link.out.erase(0, link.outAt);
        link.outAt = 0;
    }
    return sent > 0;
}

void Worker::Timers(NetLink& link, NetClock::time_point now) {
    if (!link.ended.empty()) return;
    if (link.closing) {
        if (link.OutWaiting() == 0 || now >= link.closeBy) link.ended = "closed here";
        return;
    }
    if (link.connecting) {
        if (now - link.opened >= kConnectTime) End(link, "no answer within 5 s");
        return;
    }
    if (hosting_ && !link.welcomed && now - link.opened >= kHelloTime) {
        End(link, "sent no hello within 5 s");
        return;
    }
    if (now - link.lastHeard >= kSilentDrop) {
        End(link, "silent for 10 s");
        return;
    }
    if (link.welcomed && now - link.lastPing >= kPingAfter) {
        link.lastPing = now;
        Send(link, StampPayload(NetKind::kPing, Micros(now)));
    }
}

void Worker::End(NetLink& link, const std::string& why) {
    if (link.ended.empty()) link.ended = why;
}

void Worker::Bury() {
    // Called with the mutex held: links that ended leave the peers, and a
    // joiner's state says how its link to the host ended.
    for (auto it = links_.begin(); it != links_.end();) {
        NetLink& link = **it;
        if (link.ended.empty()) {
            ++it;
            continue;
        }
        CloseSocket(link.socket);
        const bool left = link.ended == "left";
        if (link.welcomed) {
            std::erase_if(shared_.peers, [&](const NetPeerShared& peer) { return peer.id == link.id; });
        }
        if (link.closing) {
            // Closed by this end: nothing to report.
        } else if (hosting_) {
            Log("peer " + std::to_string(link.id) + " (" + link.address + ") " + (left ? "left" : link.ended));
        } else if (link.connecting && joinNext_ < joinAddresses_.size()) {
            links_.erase(it);
            ConnectNext();
            it = links_.begin();
            continue;
        } else if (shared_.state != -1) {
            shared_.state = left ? -3 : -2;
            shared_.reason = left ? "the host left" : "lost: " + link.ended;
            Log("NetState: " + shared_.reason);
        }
        it = links_.erase(it);
    }
}

// A datagram holding exactly one frame whose payload is a message of the
// kind wanted: the discovery question or its answer.
bool DatagramOfKind(const char* datagram, long size, NetKind kind, NetPayload& message) {
    FrameReader reader;
    std::string_view bytes(datagram, static_cast<size_t>(size));
    std::string payload;
    std::string error;
    return reader.Next(bytes, payload) == FrameStatus::kFrame && bytes.empty() &&
           ReadPayload(payload, message, error) && message.kind == kind;
}

void Worker::AnswerFinds() {
    char datagram[512];
    NetAddress from;
    for (int i = 0; i < 16; ++i) {
        const long got = ReceiveDatagram(hostUdp_, datagram, sizeof datagram, from);
        if (got <= 0) return;
        NetPayload message;
        if (!DatagramOfKind(datagram, got, NetKind::kFind, message)) continue;
        std::string answer;
        AppendFrame(answer, HostPayload(static_cast<uint16_t>(port_), static_cast<uint32_t>(shared_.peers.size() + 1),
                                        static_cast<uint32_t>(maxPeers_ + 1), gameName_));
        SendDatagram(hostUdp_, from, answer.data(), answer.size());
    }
}

void Worker::ReadAnswers() {
    char datagram[512];
    NetAddress from;
    for (int i = 0; i < 64; ++i) {
        const long got = ReceiveDatagram(findUdp_, datagram, sizeof datagram, from);
        if (got <= 0) return;
        NetPayload message;
        if (!DatagramOfKind(datagram, got, NetKind::kHost, message)) continue;
        NetFoundHost host{AddressText(from), message.text, static_cast<int>(message.number)};
        const bool known = std::any_of(shared_.found.begin(), shared_.found.end(), [&](const NetFoundHost& seen) {
            return seen.address == host.address && seen.port == host.port;
        });
        if (!known && shared_.found.size() < 64) shared_.found.push_back(std::move(host));
    }
}

void Worker::CloseAll() {
    for (NetPeerShared& peer : shared_.peers) peer.link = nullptr;
    for (auto& link : links_) CloseSocket(link->socket);
    links_.clear();
    for (NetSocket& listener : listeners_) {
        CloseSocket(listener);
        listener = kNoSocket;
    }
    CloseSocket(hostUdp_);
    hostUdp_ = kNoSocket;
    closing_ = false;
}

void Worker::WaitForSockets(std::vector<NetPollEntry>& entries, int timeoutMs) {
    // Just after traffic an answer or the game's next message often comes
    // within tens of microseconds, and a sleep in poll costs several to
    // wake from (more than a loopback round trip): the worker looks again
    // for a moment, yielding its core between looks, before it sleeps.
    bool ready = false;
    if (traffic_) {
        traffic_ = false;
        const auto spinUntil = NetClock::now() + kSpinTime;
        shared_.spinning.store(true);
        while (!ready && NetClock::now() < spinUntil) {
            PollSockets(entries, 0);
            ready = shared_.nudge.load() || std::any_of(entries.begin(), entries.end(), [](const NetPollEntry& entry) {
                        return entry.canRead || entry.canWrite || entry.broken;
                    });
            if (!ready) std::this_thread::yield();
        }
        // Either this sees a nudge given meanwhile, or the game, seeing
        // the spin over, wakes the poll below.
        shared_.spinning.store(false);
        ready = ready || shared_.nudge.load();
    }
    if (!ready) PollSockets(entries, timeoutMs);
    shared_.nudge.store(false);
}

void Worker::Run() {
    std::vector<NetPollEntry> entries;
    // One hold of the mutex a round: what the last poll brought is handled,
    // then the orders that came meanwhile are taken.
    std::unique_lock<std::mutex> lock(shared_.mutex);
    while (true) {
        if (shared_.stop) return;
        shared_.wakePending = false;
        TakeOrders();
        if (closing_ && links_.empty()) {
            closing_ = false;
            shared_.closeDone = true;
        }
        // The links are looked at under the mutex: the commands' short
        // cuts read and write them too.
        entries.clear();
        entries.push_back({shared_.wakeRead, true});
        for (NetSocket listener : listeners_) {
            if (listener != kNoSocket) entries.push_back({listener, true});
        }
        if (hostUdp_ != kNoSocket) entries.push_back({hostUdp_, true});
        if (findUdp_ != kNoSocket) entries.push_back({findUdp_, true});
        const bool gameReads = NetClock::now() - shared_.readHere < kGameReads;
        for (auto& link : links_) {
            // A link whose unread frames wait for room is not read further.
            const bool read = !link->connecting && link->rawIn.empty() && !(gameReads && link->welcomed);
            entries.push_back({link->socket, read, link->connecting || link->OutWaiting() > 0});
        }
        lock.unlock();
        WaitForSockets(entries, gameReads ? static_cast<int>(kGameReads.count()) : 100);
        size_t at = 0;
        if (entries[at++].canRead) DrainWaker(shared_.wakeRead);
        lock.lock();
        for (NetSocket listener : listeners_) {
            if (listener != kNoSocket && entries[at++].canRead) Accept(listener);
        }
        if (hostUdp_ != kNoSocket && entries[at++].canRead) AnswerFinds();
        if (findUdp_ != kNoSocket && entries[at++].canRead) ReadAnswers();
        if (findUdp_ != kNoSocket && NetClock::now() >= findUntil_) {
            CloseSocket(findUdp_);
            findUdp_ = kNoSocket;
        }
        const auto now = NetClock::now();
        for (size_t i = 0; i < links_.size(); ++i) {
            NetLink& link = *links_[i];
            // Links accepted in this round have no entry yet.
            const NetPollEntry entry = at + i < entries.size() ? entries[at + i] : NetPollEntry{};
            if (link.connecting && (entry.canWrite || entry.broken)) {
                std::string error;
                if (ConnectResult(link.socket, error)) {
                    link.connecting = false;
                    link.lastHeard = now;
                    Send(link, HelloPayload(gameName_));
                } else {
                    End(link, "cannot connect: " + error);
                }
            }
            if (!link.connecting && link.ended.empty() && (entry.canRead || entry.broken) && link.rawIn.empty() &&
                ReadLink(link)) {
                traffic_ = true;
            }
            if (link.ended.empty()) TakeFrames(link);
            if (link.ended.empty() && link.welcomed) FillOutgoing(link);
            if (link.ended.empty() && !link.connecting && WriteLink(link)) traffic_ = true;
            Timers(link, now);
        }
        Bury();
    }
}

NetThrough Worker::SendThrough(NetPeerShared& peer, std::string_view text) {
    const auto now = NetClock::now();
    const bool stream = !peer.heardSince && now - peer.lastSent < kStreamGap;
    peer.heardSince = false;
    peer.lastSent = now;
    // Order: never past a message queued or a frame half-written.
    NetLink* link = peer.link;
    if (stream || link == nullptr || !peer.outbox.empty() || !link->welcomed || link->closing || !link->ended.empty() ||
        link->OutWaiting() > 0) {
        return NetThrough::kQueue;
    }
    link->out.clear();
    link->outAt = 0;
    AppendDataFrame(link->out, text);
    std::string error;
    const long sent = SendBytes(link->socket, link->out.data(), link->out.size(), error);
    // A broken connection is the worker's to notice, from the same frame.
    if (sent < 0) return NetThrough::kSentWake;
    link->outAt = static_cast<size_t>(sent);
    if (link->OutWaiting() > 0) return NetThrough::kSentWake;
    link->out.clear();
    link->outAt = 0;
    return NetThrough::kSent;
}

bool Worker::ReadThrough() {
    shared_.readHere = NetClock::now();
    bool wake = false;
    // The links in turn, stopping at the first that brings messages: the
    // game thread's share stays one read at most, however many flood it.
    const size_t count = links_.size();
    for (size_t i = 0; i < count; ++i) {
        NetLink& link = *links_[(readNext_ + i) % count];
        if (!link.welcomed || link.closing || !link.ended.empty()) continue;
        const size_t waiting = shared_.inbox.size();
        // Frames left while the inbox was full come first.
        if (link.rawIn.empty()) ReadLink(link);
        if (link.ended.empty()) TakeFrames(link);
        // A ping's answer goes at once; what the socket does not take, or
        // a link that ended, the worker sees to.
        if (link.ended.empty()) WriteLink(link);
        wake = wake || !link.ended.empty() || link.OutWaiting() > 0;
        if (shared_.inbox.size() > waiting) {
            readNext_ = (readNext_ + i + 1) % count;
            break;
        }
    }
    return wake;
}

void Worker::Goodbye() {
    // The worker has stopped: this runs on the thread that stopped it.
    std::string goodbye;
    AppendFrame(goodbye, KindPayload(NetKind::kGoodbye));
    for (auto& link : links_) {
        if (link->welcomed && link->ended.empty() && !link->closing) {
            std::string error;
            WriteLink(*link);
            if (link->OutWaiting() == 0) SendBytes(link->socket, goodbye.data(), goodbye.size(), error);
        }
    }
    CloseAll();
    CloseSocket(findUdp_);
    findUdp_ = kNoSocket;
}

// Left to the process's end when a program returns from main without
// EndProgram: the atexit handler below stops them first.
Worker* g_worker = nullptr;
std::thread* g_thread = nullptr;
NetShared* g_stopAtExit = nullptr;

void StopAtExit() {
    if (g_stopAtExit != nullptr) StopNetWorker(*g_stopAtExit);
}

}  // namespace

bool StartNetWorker(NetShared& shared, std::string& error) {
    if (g_worker != nullptr) return true;
    if (!StartSockets(error) || !MakeWaker(shared.wakeRead, shared.wakeWrite, error)) return false;
    if (g_stopAtExit == nullptr) {
        g_stopAtExit = &shared;
        std::atexit(StopAtExit);
    }
    g_worker = new Worker(shared);
    shared.stop = false;
    shared.running = true;
    g_thread = new std::thread([&shared] {
        g_worker->Run();
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.running = false;
    });
    return true;
}

void StopNetWorker(NetShared& shared) {
    if (g_worker == nullptr) return;
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.stop = true;
    }
    WakeNetWorker(shared);
    // The worker wakes at least every 100 ms; a name lookup may hold it
    // longer, and the program end does not wait for that past 5 s.
    bool running = true;
    for (int step = 0; step < 50 && running; ++step) {
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            running = shared.running;
        }
        if (running) std::this_thread::sleep_for(milliseconds(100));
    }
    if (running) {
        g_thread->detach();
        return;
    }
    g_thread->join();
    delete g_thread;
    g_thread = nullptr;
    g_worker->Goodbye();
    delete g_worker;
    g_worker = nullptr;
    std::lock_guard<std::mutex> lock(shared.mutex);
    for (NetSocket& socket : shared.listeners) {
        CloseSocket(socket);
        socket = kNoSocket;
    }
    CloseSocket(shared.hostUdp);
    CloseSocket(shared.wakeRead);
    // One socket may be both ends (Windows).
    if (shared.wakeWrite != shared.wakeRead) CloseSocket(shared.wakeWrite);
    shared.hostUdp = shared.wakeRead = shared.wakeWrite = kNoSocket;
    shared.order = NetOrder::kNone;
    shared.findPort = 0;
    shared.state = 0;
    shared.reason.clear();
    shared.peers.clear();
    shared.inbox.clear();
    shared.found.clear();
}

bool ClaimNetWake(NetShared& shared) {
    if (shared.wakePending) return false;
    shared.wakePending = true;
    shared.nudge.store(true);
    return !shared.spinning.load();
}

void WakeNetWorker(NetShared& shared) { WakePoll(shared.wakeWrite); }

NetThrough SendThrough(NetShared&, NetPeerShared& peer, std::string_view text) {
    return g_worker != nullptr ? g_worker->SendThrough(peer, text) : NetThrough::kQueue;
}

bool ReadThrough(NetShared&) { return g_worker != nullptr && g_worker->ReadThrough(); }
