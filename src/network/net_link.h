// One TCP connection as the worker holds it: its socket, the bytes read
// and not yet taken apart, the bytes waiting to be written, its clocks.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "network/net_frame.h"
#include "network/net_socket.h"

using NetClock = std::chrono::steady_clock;

struct NetLink {
    NetSocket socket = kNoSocket;
    std::string address;
    uint32_t id = 0;
    bool welcomed = false;
    bool connecting = false;
    FrameReader reader;
    std::string rawIn;
    std::string out;
    size_t outAt = 0;
    NetClock::time_point opened;
    NetClock::time_point lastHeard;
    NetClock::time_point lastPing;
    // Set once the link is to end: it closes when its bytes are written or
    // at closeBy, whichever is first.
    bool closing = false;
    NetClock::time_point closeBy;
    // Why the link ended, once it has; empty while it lives.
    std::string ended;
    bool saidGoodbye = false;

    size_t OutWaiting() const { return out.size() - outAt; }
};
