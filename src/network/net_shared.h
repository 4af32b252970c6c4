// What the game thread and the network worker share, all of it under one
// mutex: the orders the commands give, the state and peers the worker
// reports, and the bounded queues between them.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "network/net_socket.h"

// Each way, per peer: a queue holds at most this many messages or bytes.
constexpr size_t kMaxQueuedMessages = 256;
constexpr size_t kMaxQueuedBytes = size_t{1024} * 1024;
constexpr int kMaxNetPeers = 15;

struct NetLink;

struct NetInbound {
    uint32_t peer = 0;
    std::string text;
};

struct NetPeerShared {
    uint32_t id = 0;
    std::deque<std::string> outbox;
    size_t outBytes = 0;
    size_t inCount = 0;
    size_t inBytes = 0;
    double pingMs = 0;
    // The worker's connection to this peer, for the commands' short cuts
    // (under the mutex; the worker clears it before the link goes).
    NetLink* link = nullptr;
    // When the game last sent to this peer, and whether a message came
    // from it since: a stream of sends with no answer between goes through
    // the queue, where the worker writes many in one call.
    std::chrono::steady_clock::time_point lastSent;
    bool heardSince = true;
};

struct NetFoundHost {
    std::string address;
    std::string name;
    int port = 0;
};

enum class NetOrder { kNone, kHost, kJoin, kClose };

struct NetShared {
    std::mutex mutex;

    // Orders from the commands (the worker takes them).
    NetOrder order = NetOrder::kNone;
    NetSocket listeners[2] = {kNoSocket, kNoSocket};
    NetSocket hostUdp = kNoSocket;
    int port = 0;
    int maxPeers = 0;
    std::string joinAddress;
    std::string gameName;
    bool closeDone = false;
    int findPort = 0;  // > 0: an order to ask the network
    bool stop = false;

    // What the worker reports.
    bool running = false;
    int state = 0;
    std::string reason;
    std::vector<NetPeerShared> peers;
    std::deque<NetInbound> inbox;
    // Set with the mutex held when a message joins the inbox, cleared by
    // NetReceive when it finds the inbox empty: a game that asks for
    // messages in a tight loop then leaves the mutex to the worker.
    std::atomic<bool> inboxWaiting{false};
    std::vector<NetFoundHost> found;

    // WakePoll(wakeWrite) wakes the worker's poll; one is enough until it
    // has looked.
    NetSocket wakeRead = kNoSocket;
    NetSocket wakeWrite = kNoSocket;
    bool wakePending = false;
    // While the worker spins (briefly, after traffic) it looks at nudge
    // instead of sleeping in poll, and a wake needs no system call.
    std::atomic<bool> spinning{false};
    std::atomic<bool> nudge{false};
    // When NetReceive last read the sockets itself: while it keeps doing
    // so, the worker leaves the peers' sockets to it rather than wake for
    // every message.
    std::chrono::steady_clock::time_point readHere;

    NetPeerShared* Peer(uint32_t id) {
        for (auto& peer : peers) {
            if (peer.id == id) return &peer;
        }
        return nullptr;
    }
};
