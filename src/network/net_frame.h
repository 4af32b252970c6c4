// Frames on the wire: the 4 bytes "VNTR", the payload's length as a 32-bit
// big-endian number, then the payload, at most 64 KiB. The reader takes a
// byte stream in pieces of any size and hands out whole payloads; a header
// with another magic or a length over the limit stops it before anything is
// allocated for that frame.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t kFrameHeaderSize = 8;
constexpr size_t kMaxFramePayload = size_t{64} * 1024;

// Appends the frame that carries payload (at most kMaxFramePayload bytes).
void AppendFrame(std::string& out, std::string_view payload);
// Appends a frame's header alone: the caller appends its payload of size
// bytes.
void AppendFrameHeader(std::string& out, size_t size);

enum class FrameStatus { kNeedMore, kFrame, kBad };

class FrameReader {
public:
    // Takes bytes from the front of bytes (advancing it) until one frame is
    // whole (kFrame: its payload is in payload) or the bytes run out
    // (kNeedMore). kBad: the stream is not of frames (Error() says why);
    // every later call gives kBad too.
    FrameStatus Next(std::string_view& bytes, std::string& payload);
    const std::string& Error() const { return error_; }
    // Bytes of a frame begun and not yet whole.
    size_t Pending() const { return inBody_ ? kFrameHeaderSize + body_.size() : headerHave_; }

private:
    FrameStatus Fail(std::string why);

    unsigned char header_[kFrameHeaderSize] = {};
    size_t headerHave_ = 0;
    bool inBody_ = false;
    size_t bodyLength_ = 0;
    std::string body_;
    bool failed_ = false;
    std::string error_;
};
