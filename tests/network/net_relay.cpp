#include "network/net_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Pending {
    Clock::time_point due;
    std::string bytes;
};

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

}  // namespace

NetRelay::NetRelay(int hostPort, int delayMs, bool byteAtATime)
    : hostPort_(hostPort), delayMs_(delayMs), byteAtATime_(byteAtATime) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(listener_, 1) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port_ = ntohs(address.sin_port);
    }
    thread_ = std::thread([this] { Run(); });
}

NetRelay::~NetRelay() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

void NetRelay::Run() {
    int ends[2] = {-1, -1};  // the peer, the host
    while (!stop_ && ends[0] < 0) {
        pollfd entry{listener_, POLLIN, 0};
        if (poll(&entry, 1, 20) > 0) ends[0] = accept(listener_, nullptr, nullptr);
    }
    if (ends[0] < 0) return;
    ends[1] = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in host = Loopback(hostPort_);
    const int on = 1;
    for (int end : ends) setsockopt(end, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (connect(ends[1], reinterpret_cast<const sockaddr*>(&host), sizeof host) != 0) stop_ = true;
    std::deque<Pending> queues[2];  // bytes on their way to ends[i]
    bool open[2] = {true, true};
    while (!stop_) {
        pollfd entries[2] = {{ends[0], POLLIN, 0}, {ends[1], POLLIN, 0}};
        poll(entries, 2, 5);
        for (int from = 0; from < 2; ++from) {
            if (!open[from] || (entries[from].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            char buffer[65536];
            const ssize_t got = recv(ends[from], buffer, sizeof buffer, 0);
            if (got <= 0) {
                // The end closed: the other side hears it after the delay.
                open[from] = false;
                queues[1 - from].push_back({Clock::now() + std::chrono::milliseconds(delayMs_), std::string()});
                continue;
            }
            queues[1 - from].push_back(
                {Clock::now() + std::chrono::milliseconds(delayMs_), std::string(buffer, static_cast<size_t>(got))});
        }
        for (int to = 0; to < 2; ++to) {
            while (!queues[to].empty() && queues[to].front().due <= Clock::now()) {
                const std::string bytes = std::move(queues[to].front().bytes);
                queues[to].pop_front();
                if (bytes.empty()) {
                    shutdown(ends[to], SHUT_WR);
                    continue;
                }
                const size_t step = byteAtATime_ ? 1 : bytes.size();
                for (size_t at = 0; at < bytes.size(); at += step) {
                    if (send(ends[to], bytes.data() + at, std::min(step, bytes.size() - at), MSG_NOSIGNAL) <= 0) break;
                }
            }
        }
    }
    for (int end : ends) close(end);
}
