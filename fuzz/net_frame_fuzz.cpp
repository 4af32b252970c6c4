// The frame reader fed a stream in pieces of 1..32 bytes (each piece's size
// taken from the input), every whole frame read as a message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "network/net_frame.h"
#include "network/net_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameReader reader;
    std::string payload;
    NetPayload message;
    std::string error;
    size_t at = 0;
    while (at < size) {
        const size_t piece = 1 + data[at] % 32;
        ++at;
        std::string_view bytes(reinterpret_cast<const char*>(data) + at, piece < size - at ? piece : size - at);
        at += bytes.size();
        while (true) {
            const FrameStatus status = reader.Next(bytes, payload);
            if (status == FrameStatus::kBad) return 0;
            if (status == FrameStatus::kNeedMore) break;
            ReadPayload(payload, message, error);
        }
    }
    return 0;
}
