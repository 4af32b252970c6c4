// Frame pacing of the real presenter while the game hosts 15 peers that
// each send as fast as their connection takes it, beside the same without
// them, in one run. The game thread does what a game does each frame:
// draws 50 quads, takes the messages that came (at most a bounded number a
// frame) and presents at 60 frames per second with the engine's clock.
// Reports how far each release lies behind its slot of the 1/60 s grid
// (median, 99th percentile, maximum), the frames that missed their slot and
// the messages taken a second.
//
//   xvfb-run -a build/bench/aerox_bench_network_pacing [seconds per mode, default 3]
//
// The 15 peers are one child process (this program, --flood PORT) with one
// thread writing frames on 15 sockets: they load one core, not fifteen.
#include <SDL.h>
#include <SDL_opengl.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "frame/clock.h"
#include "frame_load.h"
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "network/net_frame.h"
#include "network/net_protocol.h"

namespace {

constexpr int kPeers = 15;
// A game that takes every message each frame could be kept taking them
// by peers that send faster than it reads; this one takes a bounded number.
constexpr int kMostMessagesAFrame = 4096;

// The child: 15 connections that say hello, then write 32-byte messages as
// fast as each socket takes them and read (and drop) what the host says,
// until killed or 60 s pass.
int Flood(int port) {
    std::string hello;
    AppendFrame(hello, HelloPayload("Game"));
    std::string burst;
    for (int i = 0; i < 256; ++i) AppendFrame(burst, DataPayload(std::string(32, 'f')));
    std::vector<pollfd> sockets;
    for (int i = 0; i < kPeers; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            send(fd, hello.data(), hello.size(), 0) != static_cast<ssize_t>(hello.size())) {
            return 1;
        }
        sockets.push_back({fd, POLLIN | POLLOUT, 0});
    }
    std::vector<size_t> at(sockets.size(), 0);
    char drop[65536];
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end) {
        if (poll(sockets.data(), sockets.size(), 100) < 0) return 1;
        for (size_t i = 0; i < sockets.size(); ++i) {
            if (sockets[i].revents & POLLIN) {
                if (recv(sockets[i].fd, drop, sizeof drop, MSG_DONTWAIT) <= 0) return 0;
            }
            if (sockets[i].revents & POLLOUT) {
                const ssize_t sent = send(sockets[i].fd, burst.data() + at[i], burst.size() - at[i], MSG_DONTWAIT);
                if (sent > 0) at[i] = (at[i] + static_cast<size_t>(sent)) % burst.size();
            }
        }
    }
    return 0;
}

pid_t StartFlood(int port) {
    std::string self = "/proc/self/exe";
    std::string flag = "--flood";
    std::string number = std::to_string(port);
    char* argv[] = {self.data(), flag.data(), number.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ) != 0) return 0;
    return pid;
}

bool RunMode(const char* name, double seconds, int port) {
    auto context = std::make_unique<OpenGLZodadodu>();
    if (!CreateGameWindow(*context, 320, 240, 0, 60, 0)) {
        std::fprintf(stderr, "cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    pid_t flood = 0;
    if (port > 0) {
        flood = StartFlood(port);
        // Bounded: the peers join within a few seconds or the run fails.
        for (int i = 0; i < 300 && NetPeerCount() < kPeers; ++i) FramePresent(*context);
        if (NetPeerCount() < kPeers) {
            std::fprintf(stderr, "%s: %d of %d peers joined\n", name, static_cast<int>(NetPeerCount()), kPeers);
            if (flood > 0) kill(flood, SIGKILL);
            return false;
        }
    }
    for (int i = 0; i < 30; ++i) {  // settle, and drop what the last mode left
        for (int taken = 0; taken < kMostMessagesAFrame && NetReceive() >= 0; ++taken) {
        }
        FramePresent(*context);
    }

    std::vector<double> errors;
    int late = 0;
    long messages = 0;
    const double wallStart = NowMs();
    while (NowMs() - wallStart < seconds * 1000.0) {
        DrawQuads(50);
        for (int i = 0; i < kMostMessagesAFrame && NetReceive() >= 0; ++i) ++messages;
        const double slot = context->frameStartTime;
        const double period = context->framePeriod;
        const double waited = FramePresent(*context) - 1.0;
        const double release = NowMs();
        if (release - waited > slot || release - slot >= period)
            ++late;
        else
            errors.push_back(release - slot);
    }
    const double wall = (NowMs() - wallStart) / 1000.0;
    const int peers = static_cast<int>(NetPeerCount());
    if (flood > 0) {
        kill(flood, SIGKILL);
        waitpid(flood, nullptr, 0);
    }
    std::printf(
        "%-18s frames %4zu  release error ms: median %.4f  p99 %.4f  max %.4f  late %d  messages/s %.0f"
        "  peers %d\n",
        name, errors.size(), Percentile(errors, 0.5), Percentile(errors, 0.99),
        errors.empty() ? 0.0 : *std::max_element(errors.begin(), errors.end()), late, messages / wall, peers);
    context.reset();
    return port == 0 || (peers == kPeers && messages > 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--flood") == 0) return Flood(std::atoi(argv[2]));
    const double seconds = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 3.0;
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
        return 1;
    }
    const int port = 20000 + static_cast<int>(getpid() % 20000);
    if (NetHost(port, kPeers) != 1) return 1;
    const bool ok = RunMode("hosting, no peers", seconds, 0) && RunMode("15 peers flooding", seconds, port) &&
                    RunMode("after the flood", seconds, 0);
    NetClose();
    SDL_Quit();
    return ok ? 0 : 1;
}
