// Fuzzes the video reader: the Ogg pages, the Theora and Vorbis headers and
// their bounds, then a few pictures and blocks of sound decoded.
#include <ogg/ogg.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "video/video_stream.h"

namespace {

// Sets the checksum of every page whose header and segment table fit, so
// that mutations reach the headers and the decoders behind the page check.
void SetPageChecksums(std::string& file) {
    for (size_t at = file.find("OggS"); at != std::string::npos; at = file.find("OggS", at + 1)) {
        if (file.size() - at < 27) return;
        const size_t segments = static_cast<uint8_t>(file[at + 26]);
        if (file.size() - at < 27 + segments) return;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) body += static_cast<uint8_t>(file[at + 27 + i]);
        if (file.size() - at - 27 - segments < body) return;
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(file.data() + at);
        page.header_len = static_cast<long>(27 + segments);
        page.body = page.header + page.header_len;
        page.body_len = static_cast<long>(body);
        ogg_page_checksum_set(&page);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte chooses: checksums as they are, or set again.
    std::string file(reinterpret_cast<const char*>(data), size);
    if (!file.empty() && (file.back() & 1) != 0) SetPageChecksums(file);
    auto bytes = std::make_shared<const std::string>(std::move(file));
    std::string why;
    const std::unique_ptr<VideoStream> stream = OpenVideoStream(bytes, why);
    if (stream == nullptr) {
        if (why.empty()) __builtin_trap();  // every refusal says why
        return 0;
    }
    const VideoInfo& info = stream->Info();
    if (info.width <= 0 || info.width > kMaxVideoSide || info.height <= 0 || info.height > kMaxVideoSide)
        __builtin_trap();
    VideoPicture picture;
    for (int i = 0; i < 8 && stream->NextPicture(picture); ++i)
        if (picture.rgba.size() != static_cast<size_t>(info.width) * info.height * 4) __builtin_trap();
    std::vector<float> sound;
    for (int i = 0; i < 8 && stream->NextSound(sound); ++i)
        if (sound.size() % static_cast<size_t>(info.audioChannels) != 0) __builtin_trap();
    return 0;
}
