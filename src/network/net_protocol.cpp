#include "network/net_protocol.h"

#include "network/net_frame.h"

namespace {

void PutNumber(std::string& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

uint64_t GetNumber(std::string_view in, size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<size_t>(i)]);
    return value;
}

std::string Start(NetKind kind) { return std::string(1, static_cast<char>(kind)); }

}  // namespace

std::string HelloPayload(std::string_view gameName) {
    std::string out = Start(NetKind::kHello);
    PutNumber(out, kNetProtocolVersion, 2);
    out.append(gameName.substr(0, kMaxGameName));
    return out;
}

std::string WelcomePayload(uint32_t peer) {
    std::string out = Start(NetKind::kWelcome);
    PutNumber(out, peer, 4);
    return out;
}

std::string RefusePayload(NetRefusal why) {
    std::string out = Start(NetKind::kRefuse);
    PutNumber(out, static_cast<uint64_t>(why), 1);
    return out;
}

std::string StampPayload(NetKind kind, uint64_t stamp) {
    std::string out = Start(kind);
    PutNumber(out, stamp, 8);
    return out;
}

std::string KindPayload(NetKind kind) { return Start(kind); }

std::string DataPayload(std::string_view message) {
    std::string out = Start(NetKind::kData);
    out.append(message);
    return out;
}

void AppendDataFrame(std::string& out, std::string_view message) {
    AppendFrameHeader(out, message.size() + 1);
    out.push_back(static_cast<char>(NetKind::kData));
    out.append(message);
}

std::string HostPayload(uint16_t port, uint32_t players, uint32_t capacity, std::string_view gameName) {
    std::string out = Start(NetKind::kHost);
    PutNumber(out, port, 2);
    PutNumber(out, players, 1);
    PutNumber(out, capacity, 1);
    out.append(gameName.substr(0, kMaxGameName));
    return out;
}

bool ReadPayload(std::string_view payload, NetPayload& out, std::string& error) {
    if (payload.empty()) {
        error = "an empty message";
        return false;
    }
    out = NetPayload{};
    out.kind = static_cast<NetKind>(payload[0]);
    const std::string_view rest = payload.substr(1);
    auto sized = [&](size_t fixed, bool textAfter) {
        if (rest.size() < fixed || (!textAfter && rest.size() != fixed) || rest.size() - fixed > kMaxGameName) {
            error = std::string("a message of kind '") + payload[0] + "' of the wrong size";
            return false;
        }
        return true;
    };
    switch (out.kind) {
        case NetKind::kHello:
            if (!sized(2, true)) return false;
            out.number = static_cast<uint32_t>(GetNumber(rest, 0, 2));
            out.text = rest.substr(2);
            return true;
        case NetKind::kWelcome:
            if (!sized(4, false)) return false;
            out.number = static_cast<uint32_t>(GetNumber(rest, 0, 4));
            return true;
        case NetKind::kRefuse:
            if (!sized(1, false)) return false;
            out.number = static_cast<uint32_t>(GetNumber(rest, 0, 1));
            return true;
        case NetKind::kPing:
        case NetKind::kPong:
            if (!sized(8, false)) return false;
            out.stamp = GetNumber(rest, 0, 8);
            return true;
        case NetKind::kGoodbye:
        case NetKind::kFind: return sized(0, false);
        case NetKind::kData: out.text = rest; return true;
        case NetKind::kHost:
            if (!sized(4, true)) return false;
            out.number = static_cast<uint32_t>(GetNumber(rest, 0, 2));
            out.players = static_cast<uint32_t>(GetNumber(rest, 2, 1));
            out.capacity = static_cast<uint32_t>(GetNumber(rest, 3, 1));
            out.text = rest.substr(4);
            return true;
    }
    error = "a message of unknown kind " + std::to_string(static_cast<unsigned char>(payload[0]));
    return false;
}

std::string RefusalText(uint32_t reason) {
    switch (static_cast<NetRefusal>(reason)) {
        case NetRefusal::kFull: return "refused: the game is full";
        case NetRefusal::kOtherGame: return "refused: the host plays another game";
        case NetRefusal::kOtherVersion: return "refused: the host speaks another protocol version";
    }
    return "refused";
}
