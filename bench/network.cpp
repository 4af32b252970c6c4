// The network commands on loopback beside ENet sending the same messages
// reliably, in one run: the round trip of a 32-byte message (median and
// 99th percentile) and messages a second one way for 32-byte and 4 KiB
// messages. This program joins; a copy of itself started with --peer
// hosts and echoes.
//   aerox_bench_network [round trips, default 5000] [messages one way, default 50000]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "aerox/aerox.h"
#ifdef AEROX_BENCH_ENET
#include <enet/enet.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// One message stream to a peer, whichever library carries it.
class Link {
public:
    virtual ~Link() = default;
    // Sends bytes; false when the library's queue is full (try again).
    virtual bool Send(const std::string& bytes) = 0;
    // The next message if one came, else false; never waits.
    virtual bool Receive(std::string& bytes) = 0;
};

class AeroxLink : public Link {
public:
    bool Send(const std::string& bytes) override {
        if (NetSend(peer, RtString(bytes.c_str())) == 1) return true;
        std::this_thread::yield();
        return false;
    }
    bool Receive(std::string& bytes) override {
        // The worker thread needs the core now and then: a game asks once
        // a frame, this loop asks as fast as it can.
        if (NetReceive() < 0) {
            std::this_thread::yield();
            return false;
        }
        const RtString text = NetMessage();
        bytes.assign(text.Text(), text.Length());
        return true;
    }
    double peer = 0;
};

#ifdef AEROX_BENCH_ENET
class EnetLink : public Link {
public:
    bool Send(const std::string& bytes) override {
        // ENet learns of acknowledgements only while serviced: a sender
        // that never looks stalls its reliable window.
        std::string arrived;
        if (Service(arrived)) pending.push_back(arrived);
        ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
        if (enet_peer_send(peer, 0, packet) != 0) {
            enet_packet_destroy(packet);
            return false;
        }
        enet_host_flush(host);
        return true;
    }
    bool Receive(std::string& bytes) override {
        if (!pending.empty()) {
            bytes = pending.front();
            pending.pop_front();
            return true;
        }
        return Service(bytes);
    }
    bool Service(std::string& bytes) {
        ENetEvent event;
        while (enet_host_service(host, &event, 0) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) peer = event.peer;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                bytes.assign(reinterpret_cast<const char*>(event.packet->data), event.packet->dataLength);
                enet_packet_destroy(event.packet);
                return true;
            }
        }
        return false;
    }
    ENetHost* host = nullptr;
    ENetPeer* peer = nullptr;
    std::deque<std::string> pending;
};
#endif

void SendAll(Link& link, const std::string& bytes) {
    std::string ignored;
    while (!link.Send(bytes)) {
    }
}

std::string Wait(Link& link) {
    std::string bytes;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!link.Receive(bytes)) {
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "no answer within 30 s\n");
            std::exit(1);
        }
    }
    return bytes;
}

// The peer: echoes 'r' messages, counts 't' ones, answers 'e' with the
// count, leaves on 'q'.
void Echo(Link& link) {
    long counted = 0;
    std::string bytes;
    while (true) {
        if (!link.Receive(bytes)) continue;
        if (bytes[0] == 'r') SendAll(link, bytes);
        if (bytes[0] == 't') ++counted;
        if (bytes[0] == 'e') {
            SendAll(link, std::to_string(counted));
            counted = 0;
        }
        if (bytes[0] == 'q') return;
    }
}

void Measure(const char* name, Link& link, int roundTrips, int oneWay) {
    const std::string ping = "r" + std::string(31, 'x');
    std::vector<double> micros;
    for (int i = 0; i < roundTrips; ++i) {
        const auto sent = Clock::now();
        SendAll(link, ping);
        Wait(link);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%-6s round trip 32 B: median %.1f us, p99 %.1f us (%d trips)\n", name, micros[micros.size() / 2],
                micros[micros.size() * 99 / 100], roundTrips);
    for (const size_t size : {size_t{32}, size_t{4096}}) {
        std::string message(size, 'y');
        message[0] = 't';
        const auto start = Clock::now();
        for (int i = 0; i < oneWay; ++i) SendAll(link, message);
        SendAll(link, "e");
        const std::string count = Wait(link);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (std::atol(count.c_str()) != oneWay) {
            std::fprintf(stderr, "%s: %s of %d messages arrived\n", name, count.c_str(), oneWay);
            std::exit(1);
        }
        std::printf("%-6s one way %5zu B: %.0f messages/s (%d messages)\n", name, size, oneWay / seconds, oneWay);
    }
    SendAll(link, "q");
}

pid_t StartPeer(const char* library, int port, int& output) {
    std::string self = "/proc/self/exe";
    std::string flag = "--peer";
    std::string lib = library;
    std::string number = std::to_string(port);
    char* argv[] = {self.data(), flag.data(), lib.data(), number.data(), nullptr};
    int ends[2];
    if (pipe(ends) != 0) std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ) != 0) std::exit(1);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    output = ends[0];
    char ready = 0;
    if (read(output, &ready, 1) != 1) std::exit(1);
    return pid;
}

int Peer(const std::string& library, int port) {
    if (library == "aerox") {
        if (NetHost(port, 1) != 1) return 1;
        if (write(1, "r", 1) != 1) return 1;
        while (NetPeerCount() < 1) {
        }
        AeroxLink link;
        link.peer = NetPeerId(0);
        Echo(link);
        NetClose();
        return 0;
    }
#ifdef AEROX_BENCH_ENET
    enet_initialize();
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = static_cast<enet_uint16>(port);
    EnetLink link;
    link.host = enet_host_create(&address, 1, 1, 0, 0);
    if (link.host == nullptr || write(1, "r", 1) != 1) return 1;
    Echo(link);
    enet_host_destroy(link.host);
#endif
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peer") == 0) return Peer(argv[2], std::atoi(argv[3]));
    const int roundTrips = argc > 1 ? std::max(10, std::atoi(argv[1])) : 5000;
    const int oneWay = argc > 2 ? std::max(10, std::atoi(argv[2])) : 50000;
    const int port = 20000 + static_cast<int>(getpid() % 20000);
    int output = -1;
    pid_t peer = StartPeer("aerox", port, output);
    if (NetJoin("127.0.0.1", port) != 1) return 1;
    while (NetState() == 1) {
    }
    if (NetState() != 2) return 1;
    AeroxLink aerox;
    Measure("aerox", aerox, roundTrips, oneWay);
    waitpid(peer, nullptr, 0);
    NetClose();
#ifdef AEROX_BENCH_ENET
    peer = StartPeer("enet", port + 1, output);
    enet_initialize();
    EnetLink enet;
    enet.host = enet_host_create(nullptr, 1, 1, 0, 0);
    ENetAddress address{};
    enet_address_set_host(&address, "127.0.0.1");
    address.port = static_cast<enet_uint16>(port + 1);
    enet.peer = enet_host_connect(enet.host, &address, 1, 0);
    ENetEvent event;
    if (enet_host_service(enet.host, &event, 5000) <= 0 || event.type != ENET_EVENT_TYPE_CONNECT) return 1;
    Measure("enet", enet, roundTrips, oneWay);
    enet_host_flush(enet.host);
    waitpid(peer, nullptr, 0);
    enet_host_destroy(enet.host);
#else
    std::printf("enet: not built (libenet-dev missing)\n");
#endif
    return 0;
}
