#include "network/net_frame.h"

#include <algorithm>
#include <utility>

namespace {
constexpr char kMagic[4] = {'V', 'N', 'T', 'R'};
}  // namespace

void AppendFrameHeader(std::string& out, size_t size) {
    const auto length = static_cast<uint32_t>(size);
    out.append(kMagic, sizeof kMagic);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((length >> shift) & 0xff));
}

void AppendFrame(std::string& out, std::string_view payload) {
    AppendFrameHeader(out, payload.size());
    out.append(payload);
}

FrameStatus FrameReader::Fail(std::string why) {
    failed_ = true;
    error_ = std::move(why);
    body_ = std::string();
    return FrameStatus::kBad;
}

FrameStatus FrameReader::Next(std::string_view& bytes, std::string& payload) {
    if (failed_) return FrameStatus::kBad;
    if (!inBody_) {
        // The magic is checked byte by byte: a stream of something else
        // is closed at its first wrong byte, without waiting for more.
        while (headerHave_ < kFrameHeaderSize && !bytes.empty()) {
            const auto byte = static_cast<unsigned char>(bytes.front());
            bytes.remove_prefix(1);
            if (headerHave_ < sizeof kMagic && byte != static_cast<unsigned char>(kMagic[headerHave_])) {
                return Fail("a frame without the VNTR magic");
            }
            header_[headerHave_++] = byte;
        }
        if (headerHave_ < kFrameHeaderSize) return FrameStatus::kNeedMore;
        const uint32_t length = (uint32_t{header_[4]} << 24) | (uint32_t{header_[5]} << 16) |
                                (uint32_t{header_[6]} << 8) | uint32_t{header_[7]};
        if (length > kMaxFramePayload) {
            return Fail("a frame of " + std::to_string(length) + " bytes, over the limit of " +
                        std::to_string(kMaxFramePayload));
        }
        inBody_ = true;
        bodyLength_ = length;
        body_.clear();
        body_.reserve(length);
    }
    const size_t take = std::min(bodyLength_ - body_.size(), bytes.size());
    body_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (body_.size() < bodyLength_) return FrameStatus::kNeedMore;
    payload.swap(body_);
    body_.clear();
    inBody_ = false;
    headerHave_ = 0;
    return FrameStatus::kFrame;
}
