// Two real programs on loopback: one hosts, one joins, each sends the other
// thousands of messages; then one says goodbye or is killed, and the other
// must tell which.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "network/net_child.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(NetProcesses, TenThousandMessagesEachWayThenAGoodbyeEitherWay) {
    struct Case {
        const char* hostAfter;
        const char* joinAfter;
        bool hostStays;
        const char* leaverSays;
        const char* stayerSees;  // the stayer's report once the other left
    };
    for (const Case& c : {Case{"stay", "close", true, "closed", "state 2 peers 0"},
                          Case{"close", "stay", false, "closed", "state -3 peers 0 the host left"},
                          Case{"end", "stay", false, "ending", "state -3 peers 0 the host left"}}) {
        const std::string port = std::to_string(FreeLoopbackPort());
        NetChild host({"host", port, "10000", c.hostAfter});
        ASSERT_EQ(host.Line(10), "hosting");
        NetChild joiner({"join", port, "10000", c.joinAfter});
        EXPECT_EQ(host.Line(10), "joined 1");
        EXPECT_EQ(joiner.Line(10), "joined 0");
        EXPECT_EQ(host.Line(30), "exchanged 10000 10000 intact");
        EXPECT_EQ(joiner.Line(30), "exchanged 10000 10000 intact");
        NetChild& stayer = c.hostStays ? host : joiner;
        NetChild& leaver = c.hostStays ? joiner : host;
        EXPECT_EQ(leaver.Line(5), c.leaverSays);
        EXPECT_EQ(stayer.Line(5), c.stayerSees);
    }
}

TEST(NetProcesses, AKilledEndIsNoticedAsLostWithinElevenSeconds) {
    for (const bool killHost : {true, false}) {
        const std::string port = std::to_string(FreeLoopbackPort());
        NetChild host({"host", port, "100", "stay"});
        ASSERT_EQ(host.Line(10), "hosting");
        NetChild joiner({"join", port, "100", "stay"});
        ASSERT_EQ(host.LineStarting("exchanged", 20), "exchanged 100 100 intact");
        ASSERT_EQ(joiner.LineStarting("exchanged", 20), "exchanged 100 100 intact");
        const auto killed = Clock::now();
        (killHost ? host : joiner).Kill();
        NetChild& survivor = killHost ? joiner : host;
        const std::string seen = survivor.Line(11);
        EXPECT_LT(Clock::now() - killed, std::chrono::seconds(11));
        if (killHost) {
            EXPECT_EQ(seen.rfind("state -2 peers 0 lost: ", 0), 0u) << seen;
        } else {
            EXPECT_EQ(seen, "state 2 peers 0");
        }
    }
}

TEST(NetProcesses, AHostIsFoundByBroadcastInANetworkOfTheTestsOwn) {
    // A network namespace with only its loopback: the broadcast reaches
    // nothing outside it.
    NetChild finder({"find", "4321"}, {"unshare", "-rn", "sh", "-c", "ip link set lo up && exec \"$0\" \"$@\""});
    EXPECT_EQ(finder.Line(10), "found Game at 127.0.0.1");
    EXPECT_EQ(finder.Line(5), "end");
}

}  // namespace
