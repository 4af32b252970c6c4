// The host in this process against peers that misbehave, each on its own
// loopback connection, while one good peer keeps trading messages with it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "aerox/aerox.h"
#include "network/net_child.h"
#include "network/net_frame.h"
#include "network/net_protocol.h"
#include "network/net_raw_peer.h"
#include "network/net_relay.h"
#include "network/network.h"

namespace {

using Clock = std::chrono::steady_clock;

class NetHostTest : public testing::Test {
protected:
    void SetUp() override {
        port_ = FreeLoopbackPort();
        ASSERT_EQ(NetHost(port_, 15), 1);
    }
    void TearDown() override { StopNetwork(); }

    // The game's side of a round trip with the good peer: its message in,
    // an answer out.
    void RoundTrip(RawPeer& peer, int peerId, const std::string& text, int pauseMs = 0) {
        peer.SendFrame(DataPayload(text), pauseMs);
        double from = -1;
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while ((from = NetReceive()) < 0 && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(from, peerId) << text;
        ASSERT_EQ(std::string(NetMessage().Text()), text);
        ASSERT_EQ(NetSend(peerId, RtString(("re " + text).c_str())), 1);
        ASSERT_EQ(peer.NextMessage(3), DataPayload("re " + text));
    }

    int port_ = 0;
};

TEST_F(NetHostTest, HostileAndBrokenPeersAreClosedWhileAGoodOneIsServed) {
    RawPeer good(port_);
    ASSERT_EQ(good.Join(), 1);
    RoundTrip(good, 1, "before");

    std::string overLong = "VNTR";
    overLong += std::string("\x00\x01\x00\x01", 4);
    struct Case {
        const char* name;
        std::function<void(RawPeer&)> act;
        double closedWithin;  // seconds
    };
    const std::vector<Case> cases = {
        {"an HTTP request", [](RawPeer& p) { p.Send("GET / HTTP/1.0\r\nHost: localhost\r\n\r\n"); }, 2},
        {"a frame over the limit",
         [&](RawPeer& p) {
             p.Join();
             p.Send(overLong);
         },
         2},
        {"data before its hello", [](RawPeer& p) { p.SendFrame(DataPayload("x")); }, 2},
        {"another game", [](RawPeer& p) { EXPECT_EQ(p.Join("Other"), -1 - 2); }, 2},
        {"a hello one byte a second",
         [](RawPeer& p) {
             std::string hello;
             AppendFrame(hello, HelloPayload("Game"));
             p.Send(hello, 1000);
         },
         7},
    };
    for (const Case& c : cases) {
        RawPeer bad(port_);
        const auto started = Clock::now();
        c.act(bad);
        EXPECT_TRUE(bad.ClosedWithin(c.closedWithin)) << c.name;
        EXPECT_LT(Clock::now() - started, std::chrono::duration<double>(c.closedWithin + 1)) << c.name;
        RoundTrip(good, 1, c.name);
    }
    EXPECT_EQ(NetPeerCount(), 1);
}

TEST_F(NetHostTest, PeersThatBreakOffOrFallSilentAreDropped) {
    RawPeer good(port_);
    ASSERT_EQ(good.Join(), 1);
    {
        RawPeer cut(port_);
        ASSERT_EQ(cut.Join(), 2);
        std::string frame;
        AppendFrame(frame, DataPayload("cut short"));
        cut.Send(frame.substr(0, frame.size() - 3));
    }
    {
        RawPeer reset(port_);
        ASSERT_EQ(reset.Join(), 3);
        reset.Reset();
    }
    RawPeer silent(port_);
    ASSERT_EQ(silent.Join(), 4);
    // The good peer, sent one byte at a time, keeps talking meanwhile.
    RoundTrip(good, 1, "one byte at a time", 1);
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (NetPeerCount() > 2 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(NetPeerCount(), 2);
    const auto silentSince = Clock::now();
    int rounds = 0;
    while (NetPeerCount() > 1 && Clock::now() - silentSince < std::chrono::seconds(11)) {
        RoundTrip(good, 1, "round " + std::to_string(rounds++));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    EXPECT_EQ(NetPeerCount(), 1);
    EXPECT_EQ(NetPeerId(0), 1);
    EXPECT_GE(Clock::now() - silentSince, std::chrono::seconds(8));
    EXPECT_TRUE(silent.ClosedWithin(1));
}

TEST_F(NetHostTest, ASlowPeerBehindARelayIsServedBesideAFastOne) {
    // 100 ms each way, every byte its own write.
    NetRelay relay(port_, 100, true);
    RawPeer fast(port_);
    ASSERT_EQ(fast.Join(), 1);
    RawPeer slow(relay.Port());
    ASSERT_EQ(slow.Join(), 2);
    for (int round = 0; round < 3; ++round) {
        const auto started = Clock::now();
        RoundTrip(slow, 2, "slow " + std::to_string(round));
        EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(200));
        RoundTrip(fast, 1, "fast " + std::to_string(round));
    }
    EXPECT_EQ(NetPeerCount(), 2);
    // The host's pings measure the relay's delay.
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (NetPing(2) < 200 && Clock::now() < deadline) slow.NextMessage(0.05);
    EXPECT_GE(NetPing(2), 200);
    EXPECT_LT(NetPing(2), 1000);
}

TEST_F(NetHostTest, AFullSendQueueRefusesAndWhatItTookArrivesInOrder) {
    RawPeer reader(port_);
    ASSERT_EQ(reader.Join(), 1);
    const std::string filler(1000, 'q');
    int accepted = 0;
    // The peer reads nothing: the socket, the worker's buffer and then the
    // queue fill, and NetSend refuses. Bounded: the kernel's buffers on
    // loopback hold a few megabytes at most.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    int refusals = 0;
    while (refusals < 20 && accepted < 100000 && Clock::now() < deadline) {
        if (NetSend(1, RtString((std::to_string(accepted) + filler).c_str())) == 1) {
            ++accepted;
            refusals = 0;
        } else {
            ++refusals;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ASSERT_EQ(refusals, 20) << accepted;
    EXPECT_LT(accepted, 100000);
    for (int i = 0; i < accepted; ++i) {
        ASSERT_EQ(reader.NextMessage(5), DataPayload(std::to_string(i) + filler)) << i;
    }
    EXPECT_EQ(NetSend(1, "after"), 1);
    EXPECT_EQ(reader.NextMessage(5), DataPayload("after"));
}

TEST_F(NetHostTest, MessagesSentApartKeepOrderAndBytesWhileThePeersSocketFills) {
    // Each message comes after a pause, so each may go to the socket at
    // once, until the unread bytes fill it and one goes only in part; what
    // follows waits behind that part, then the queue fills and refuses.
    RawPeer reader(port_);
    ASSERT_EQ(reader.Join(), 1);
    const auto message = [](int n) {
        std::string text = std::to_string(n) + ":";
        text.resize(60000 + static_cast<size_t>(n % 1000), static_cast<char>('a' + n % 26));
        return text;
    };
    int accepted = 0;
    int refusals = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (refusals < 10 && accepted < 1000 && Clock::now() < deadline) {
        if (NetSend(1, RtString(message(accepted).c_str())) == 1) {
            ++accepted;
            refusals = 0;
        } else {
            ++refusals;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(refusals, 10) << accepted;
    for (int i = 0; i < accepted; ++i) ASSERT_EQ(reader.NextMessage(5), DataPayload(message(i))) << i;
}

TEST_F(NetHostTest, BadArgumentsAndABusyPortFail) {
    EXPECT_EQ(NetHost(port_, 2), 0);  // already hosting
    EXPECT_EQ(NetSend(7, "nobody"), 0);
    EXPECT_EQ(NetSend(-1, "nobody yet"), 0);
    EXPECT_EQ(NetSend(1, RtString(std::string(65536, 'x').c_str())), 0);
    EXPECT_EQ(NetPeerId(0), -1);
    EXPECT_EQ(NetPing(3), -1);
    NetClose();
    EXPECT_EQ(NetState(), 0);
    EXPECT_EQ(NetPort(), 0);
    EXPECT_EQ(NetHost(-1, 2), 0);
    EXPECT_EQ(NetHost(70000, 2), 0);
    EXPECT_EQ(NetHost(port_, 16), 0);
    EXPECT_EQ(NetJoin("", port_), 0);
    EXPECT_EQ(NetJoin("a b", port_), 0);
    // Someone else's listener holds the port.
    RawPeer none(port_);
    NetChild other({"host", std::to_string(port_), "0", "stay"});
    ASSERT_EQ(other.Line(10), "hosting");
    EXPECT_EQ(NetHost(port_, 2), 0);
    EXPECT_EQ(NetState(), 0);
}

TEST_F(NetHostTest, PortZeroHostsOnAFreePortThatNetPortTells) {
    EXPECT_EQ(NetPort(), port_);
    NetClose();
    ASSERT_EQ(NetHost(0, 2), 1);
    const int port = static_cast<int>(NetPort());
    ASSERT_GT(port, 0);
    RawPeer peer(port);
    ASSERT_EQ(peer.Join(), 1);
    RoundTrip(peer, 1, "on a picked port");
    NetClose();
    EXPECT_EQ(NetPort(), 0);
}

TEST_F(NetHostTest, AJoinerIsRefusedWhenTheGameIsFull) {
    NetClose();
    ASSERT_EQ(NetHost(port_, 1), 1);
    RawPeer first(port_);
    ASSERT_EQ(first.Join(), 1);
    RawPeer second(port_);
    EXPECT_EQ(second.Join(), -1 - 1);
    EXPECT_TRUE(second.ClosedWithin(2));
    // A joiner in this process against a host in another, refused for its
    // protocol's game name.
    NetClose();
    const int port = FreeLoopbackPort();
    NetChild host({"host", std::to_string(port), "0", "stay"});
    ASSERT_EQ(host.Line(10), "hosting");
    RawPeer filler(port);
    ASSERT_EQ(filler.Join(), 1);
    ASSERT_EQ(NetJoin("127.0.0.1", port), 1);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (NetState() == 1 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(NetState(), -1);
    EXPECT_EQ(std::string(NetReason().Text()), "refused: the game is full");
}

}  // namespace
