// Two copies of the test's own network program, started as a game starts
// programs (RunProcess, without waiting), host and join on loopback, trade
// messages each way, and one sees the other's goodbye. The children write
// their lines to files, which works the same on Linux and, in the Windows
// build, for two Windows programs under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "aerox/aerox.h"
#include "testkit/testkit.h"

namespace {

// The arguments as RunProcess's one text, each quoted.
std::string Joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) {
        text += text.empty() ? "\"" : " \"";
        for (const char c : a) text += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
        text += '"';
    }
    return text;
}

bool Start(const std::vector<std::string>& arguments) {
    return RunProcess(testkit::SystemPath(AEROX_NET_PEER).c_str(), Joined(arguments).c_str(), 0) == 1;
}

// The whole lines of a child's file once it has count of them, or what it
// has when seconds pass.
std::vector<std::string> Lines(const std::string& path, size_t count, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::vector<std::string> lines;
    while (true) {
        lines.clear();
        const std::string text = testkit::ReadFile(path);
        for (size_t at = 0, end = 0; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
            lines.push_back(text.substr(at, end - at));
        }
        if (lines.size() >= count || std::chrono::steady_clock::now() > deadline) return lines;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TEST(NetTwoPrograms, HostAndJoinTradeAThousandMessagesEachWayInOrderThenAGoodbye) {
    testkit::TempFolder folder;
    const std::string hostOut = folder.File("host.txt");
    const std::string joinOut = folder.File("join.txt");
    // Port 0: the host takes a free port and says which.
    ASSERT_TRUE(Start({"host", "0", "1000", "close", testkit::SystemPath(hostOut)}));
    const std::vector<std::string> hosting = Lines(hostOut, 1, 60);
    ASSERT_EQ(hosting.size(), 1u);
    ASSERT_EQ(hosting[0].rfind("hosting on ", 0), 0u) << hosting[0];
    const std::string port = hosting[0].substr(11);
    ASSERT_GT(std::stoi(port), 0);
    ASSERT_TRUE(Start({"join", port, "1000", "stay", testkit::SystemPath(joinOut)}));
    // Each message's bytes tell its number: "intact" means all arrived, in
    // order, unchanged.
    EXPECT_EQ(Lines(hostOut, 4, 60),
              (std::vector<std::string>{hosting[0], "joined 1", "exchanged 1000 1000 intact", "closed"}));
    EXPECT_EQ(Lines(joinOut, 3, 60),
              (std::vector<std::string>{"joined 0", "exchanged 1000 1000 intact", "state -3 peers 0 the host left"}));
}

}  // namespace
