// Test helper: one end of a networked game. Hosts or joins on loopback,
// trades COUNT messages each way (each one's bytes tell its number, so
// order and content are checked), then either closes (NetClose) or stays
// and reports the first change of its state or peers, or nothing if it is
// killed first or 30 s pass. Writes one line per event to its output, or
// to OUTFILE when given (a child started without a pipe, as under Wine).
// A host on PORT 0 says the port the system picked: "hosting on N".
//   net_peer host|join PORT COUNT close|end|stay [OUTFILE]
//   net_peer find PORT
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "aerox/aerox.h"

namespace {

using Clock = std::chrono::steady_clock;

std::FILE* g_output = nullptr;

void Say(const std::string& line) {
    const std::string text = line + "\n";
    if (g_output != nullptr) {
        if (std::fputs(text.c_str(), g_output) < 0 || std::fflush(g_output) != 0) std::_Exit(3);
        return;
    }
    if (write(1, text.data(), text.size()) < 0) std::_Exit(3);
}

// Message n: its number, then bytes 0..255 rotated by n, so that any byte
// lost, added or changed shows.
std::string Message(int n) {
    std::string text = std::to_string(n) + ":";
    const int extra = n % 300;
    for (int i = 0; i < extra; ++i) text.push_back(static_cast<char>((i + n) & 0xff));
    return text;
}

// The bytes as a text; NUL bytes stay within its length.
RtString Text(const std::string& bytes) {
    RtString out;
    char* buffer = out.WritableBuffer(static_cast<uint32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) buffer[i] = bytes[i] == '\0' ? '\1' : bytes[i];
    buffer[bytes.size()] = '\0';
    out.FixLength();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') out.SetChar(static_cast<int64_t>(i), '\0');
    }
    return out;
}

std::string Reason() { return NetReason().Text(); }

}  // namespace

int main(int argc, char** argv) {
    // net_peer find PORT: hosts on PORT and asks the network who hosts
    // there; one line per game found within a second and a half.
    if (argc == 3 && std::string(argv[1]) == "find") {
        const int port = std::atoi(argv[2]);
        if (NetHost(port, 3) != 1 || NetFindHosts(port) != 1) return 4;
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        for (int i = 0; i < NetHostCount(); ++i) {
            Say(std::string("found ") + NetHostName(i).Text() + " at " + NetHostAddress(i).Text());
        }
        Say("end");
        return 0;
    }
    if (argc != 5 && argc != 6) return 2;
    if (argc == 6 && (g_output = std::fopen(argv[5], "wb")) == nullptr) return 2;
    const std::string role = argv[1];
    const int port = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const std::string after = argv[4];
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    if (role == "host") {
        if (NetHost(port, 1) != 1) return 4;
        Say(port == 0 ? "hosting on " + std::to_string(static_cast<int>(NetPort())) : std::string("hosting"));
        while (NetPeerCount() < 1 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } else {
        if (NetJoin("localhost", port) != 1) return 4;
        while (NetState() == 1 && Clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (NetState() != 2) {
            Say("state " + std::to_string(static_cast<int>(NetState())) + " " + Reason());
            return 5;
        }
    }
    const int other = static_cast<int>(NetPeerId(0));
    Say("joined " + std::to_string(other));
    int sent = 0;
    int received = 0;
    bool intact = true;
    while ((sent < count || received < count) && Clock::now() < deadline) {
        while (sent < count && NetSend(other, Text(Message(sent))) == 1) ++sent;
        bool any = false;
        while (NetReceive() >= 0) {
            const RtString text = NetMessage();
            const std::string got(text.Text(), text.Length());
            if (got != Message(received)) intact = false;
            ++received;
            any = true;
        }
        if (!any) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    Say("exchanged " + std::to_string(sent) + " " + std::to_string(received) + (intact ? " intact" : " broken"));
    if (after == "close") {
        NetClose();
        Say("closed");
        return 0;
    }
    if (after == "end") {
        Say("ending");
        EndProgram();
    }
    // The first change from the joined state is reported, also one that
    // came while the last messages were read.
    while (Clock::now() < deadline) {
        while (NetReceive() >= 0) {
        }
        const int state = static_cast<int>(NetState());
        const int peers = static_cast<int>(NetPeerCount());
        if (state != 2 || peers != 1) {
            Say("state " + std::to_string(state) + " peers " + std::to_string(peers) +
                (Reason().empty() ? "" : " " + Reason()));
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}
