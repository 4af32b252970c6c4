// The frame reader against streams cut every way, and against headers it
// must refuse before allocating.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "network/net_frame.h"
#include "network/net_protocol.h"

namespace {

// Feeds stream in pieces of `piece` bytes; the payloads in order, or the
// error that stopped the reader.
std::vector<std::string> ReadAll(const std::string& stream, size_t piece, std::string* error = nullptr) {
    FrameReader reader;
    std::vector<std::string> payloads;
    std::string payload;
    for (size_t at = 0; at < stream.size(); at += piece) {
        std::string_view bytes = std::string_view(stream).substr(at, piece);
        while (true) {
            const FrameStatus status = reader.Next(bytes, payload);
            if (status == FrameStatus::kFrame) payloads.push_back(payload);
            if (status == FrameStatus::kBad) {
                if (error != nullptr) *error = reader.Error();
                return payloads;
            }
            if (status == FrameStatus::kNeedMore) break;
        }
    }
    EXPECT_EQ(reader.Pending(), 0u);
    return payloads;
}

std::string Frames(const std::vector<std::string>& payloads) {
    std::string stream;
    for (const auto& payload : payloads) AppendFrame(stream, payload);
    return stream;
}

TEST(NetFrame, PayloadsRoundTripWhateverTheirBytes) {
    const std::vector<std::string> payloads = {"", "a", std::string("\0\xff\r\nVNTR", 8), std::string(1000, 'x'),
                                               std::string(kMaxFramePayload, '\x80')};
    EXPECT_EQ(ReadAll(Frames(payloads), 1 << 20), payloads);
}

TEST(NetFrame, AStreamCutAtEveryByteReassembles) {
    const std::vector<std::string> payloads = {"hello", "", std::string("\0\1\2", 3), "world!"};
    const std::string stream = Frames(payloads);
    for (size_t cut = 1; cut <= stream.size(); ++cut) {
        EXPECT_EQ(ReadAll(stream, cut), payloads) << "pieces of " << cut;
    }
    // Two pieces split at each byte.
    for (size_t cut = 0; cut <= stream.size(); ++cut) {
        FrameReader reader;
        std::vector<std::string> got;
        std::string payload;
        for (std::string_view bytes : {std::string_view(stream).substr(0, cut), std::string_view(stream).substr(cut)}) {
            while (reader.Next(bytes, payload) == FrameStatus::kFrame) got.push_back(payload);
        }
        EXPECT_EQ(got, payloads) << "cut at " << cut;
    }
}

TEST(NetFrame, BadHeadersStopTheReaderAtOnce) {
    struct Case {
        const char* name;
        std::string stream;
        size_t framesBefore;
    };
    std::string overLong = "VNTR";
    overLong += std::string("\x00\x01\x00\x01", 4);  // 65537
    std::string huge = "VNTR\xff\xff\xff\xff";
    const std::vector<Case> cases = {
        {"an HTTP request", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", 0},
        {"a wrong magic after a good frame", Frames({"ok"}) + "VNTX", 1},
        {"one byte over 64 KiB", overLong + std::string(65537, 'y'), 0},
        {"a length of 4 GiB", huge, 0},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t{1}, size_t{3}, size_t{1} << 20}) {
            std::string error;
            EXPECT_EQ(ReadAll(c.stream, piece, &error).size(), c.framesBefore) << c.name;
            EXPECT_FALSE(error.empty()) << c.name;
        }
    }
    // Refused at the first wrong byte, before the rest of a header comes.
    FrameReader reader;
    std::string_view bytes = "VX";
    std::string payload;
    EXPECT_EQ(reader.Next(bytes, payload), FrameStatus::kBad);
    const std::string later = Frames({"later"});
    std::string_view more = later;
    EXPECT_EQ(reader.Next(more, payload), FrameStatus::kBad);
}

TEST(NetFrame, ExactlyTheLimitPassesAndTheHeaderAloneIsNoFrame) {
    std::string stream = Frames({std::string(kMaxFramePayload, 'z')});
    FrameReader reader;
    std::string payload;
    std::string_view header = std::string_view(stream).substr(0, kFrameHeaderSize);
    EXPECT_EQ(reader.Next(header, payload), FrameStatus::kNeedMore);
    std::string_view body = std::string_view(stream).substr(kFrameHeaderSize);
    EXPECT_EQ(reader.Next(body, payload), FrameStatus::kFrame);
    EXPECT_EQ(payload.size(), kMaxFramePayload);
}

TEST(NetProtocol, MessagesReadBackAndMalformedOnesAreRefused) {
    NetPayload message;
    std::string error;
    ASSERT_TRUE(ReadPayload(HelloPayload("Pong"), message, error));
    EXPECT_EQ(message.kind, NetKind::kHello);
    EXPECT_EQ(message.number, kNetProtocolVersion);
    EXPECT_EQ(message.text, "Pong");
    ASSERT_TRUE(ReadPayload(StampPayload(NetKind::kPing, 0x0102030405060708ull), message, error));
    EXPECT_EQ(message.stamp, 0x0102030405060708ull);
    ASSERT_TRUE(ReadPayload(HostPayload(4000, 2, 16, "Pong"), message, error));
    EXPECT_EQ(message.number, 4000u);
    EXPECT_EQ(message.players, 2u);
    EXPECT_EQ(message.text, "Pong");
    for (const std::string& bad : {std::string(), std::string("W\1"), std::string("P1234567"), std::string("Z"),
                                   std::string("B!"), std::string("H\0", 2)}) {
        EXPECT_FALSE(ReadPayload(bad, message, error)) << bad;
    }
}

}  // namespace
