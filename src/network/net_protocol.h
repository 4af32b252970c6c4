// What a frame's payload says: its first byte is the kind, the rest the
// kind's fields (numbers big-endian). The same payloads travel in UDP
// datagrams, one frame each, to find hosts on the local network.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Raised when the messages change so that older copies cannot play along.
constexpr uint16_t kNetProtocolVersion = 1;
// The longest game name a hello or a host's answer carries.
constexpr size_t kMaxGameName = 255;

enum class NetKind : char {
    kHello = 'H',    // joiner -> host: version, game name
    kWelcome = 'W',  // host -> joiner: the joiner's peer number
    kRefuse = 'R',   // host -> joiner: why not (NetRefusal)
    kPing = 'P',     // either way: a stamp to echo
    kPong = 'Q',     // the echoed stamp
    kGoodbye = 'B',  // this end leaves
    kData = 'D',     // a game's message
    kFind = '?',     // UDP: is a game hosted on this port?
    kHost = 'A',     // UDP answer: port, players, most players, game name
};

enum class NetRefusal : uint8_t { kFull = 1, kOtherGame = 2, kOtherVersion = 3 };

struct NetPayload {
    NetKind kind = NetKind::kData;
    uint32_t number = 0;   // version (hello), peer (welcome), reason (refuse), port (host)
    uint64_t stamp = 0;    // ping, pong
    uint32_t players = 0;  // host answer
    uint32_t capacity = 0;
    std::string text;  // game name (hello, host answer), message (data)
};

std::string HelloPayload(std::string_view gameName);
std::string WelcomePayload(uint32_t peer);
std::string RefusePayload(NetRefusal why);
std::string StampPayload(NetKind kind, uint64_t stamp);
std::string KindPayload(NetKind kind);
std::string DataPayload(std::string_view message);
// Appends the frame of DataPayload(message) without making the payload
// first.
void AppendDataFrame(std::string& out, std::string_view message);
std::string HostPayload(uint16_t port, uint32_t players, uint32_t capacity, std::string_view gameName);

// Reads a payload; false (error says why) for an unknown kind or fields of
// the wrong size.
bool ReadPayload(std::string_view payload, NetPayload& out, std::string& error);

// The refusal's words for NetReason.
std::string RefusalText(uint32_t reason);
