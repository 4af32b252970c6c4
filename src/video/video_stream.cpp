// The Ogg Theora and Vorbis decoder, through libogg, libtheora and
// libvorbis. The whole file is in memory: the headers are read and every
// page is checked once at opening, so a file cut short or damaged is
// refused before it plays.
#include <ogg/ogg.h>
#include <theora/theoradec.h>
#include <vorbis/codec.h>

#include <algorithm>
#include <cstring>

#include "video/video_stream.h"

namespace {

constexpr int kMaxFramesPerSecond = 1000;
constexpr int kMinAudioRate = 1000;
constexpr int kMaxAudioRate = 192000;
constexpr int kMaxAudioChannels = 8;

uint8_t Clamp(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

class OggVideoStream final : public VideoStream {
public:
    explicit OggVideoStream(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {
        ogg_sync_init(&sync_);
        th_info_init(&theoraInfo_);
        th_comment_init(&theoraComment_);
        vorbis_info_init(&vorbisInfo_);
        vorbis_comment_init(&vorbisComment_);
    }
    ~OggVideoStream() override {
        if (decoder_ != nullptr) th_decode_free(decoder_);
        if (setup_ != nullptr) th_setup_free(setup_);
        if (vorbisReady_) {
            vorbis_block_clear(&vorbisBlock_);
            vorbis_dsp_clear(&vorbisDsp_);
        }
        if (hasTheora_) ogg_stream_clear(&theoraStream_);
        if (hasVorbis_) ogg_stream_clear(&vorbisStream_);
        vorbis_comment_clear(&vorbisComment_);
        vorbis_info_clear(&vorbisInfo_);
        th_comment_clear(&theoraComment_);
        th_info_clear(&theoraInfo_);
        ogg_sync_clear(&sync_);
    }
    OggVideoStream(const OggVideoStream&) = delete;
    OggVideoStream& operator=(const OggVideoStream&) = delete;

    bool Open(std::string& why);
    const VideoInfo& Info() const override { return info_; }
    bool NextPicture(VideoPicture& picture) override;
    bool NextSound(std::vector<float>& samples) override;

private:
    bool ReadHeaders(std::string& why);
    bool CheckPagesAndLength(std::string& why);
    // The next page of the file into both streams; false at the end.
    bool FeedPage();
    void ConvertPicture(const th_ycbcr_buffer& planes, std::vector<uint8_t>& rgba) const;

    std::shared_ptr<const std::string> bytes_;
    ogg_sync_state sync_{};
    ogg_stream_state theoraStream_{}, vorbisStream_{};
    bool hasTheora_ = false, hasVorbis_ = false;
    th_info theoraInfo_{};
    th_comment theoraComment_{};
    th_setup_info* setup_ = nullptr;
    th_dec_ctx* decoder_ = nullptr;
    vorbis_info vorbisInfo_{};
    vorbis_comment vorbisComment_{};
    vorbis_dsp_state vorbisDsp_{};
    vorbis_block vorbisBlock_{};
    bool vorbisReady_ = false;
    bool pagesLeft_ = true;
    int64_t nextFrame_ = 0;
    VideoInfo info_;
};

bool OggVideoStream::FeedPage() {
    ogg_page page;
    for (;;) {
        const int got = ogg_sync_pageout(&sync_, &page);
        if (got == 0) {
            pagesLeft_ = false;
            return false;
        }
        if (got < 0) continue;  // bytes skipped: the page check at opening allows none
        // A page of another stream is refused by the stream it is not for.
        if (hasTheora_) ogg_stream_pagein(&theoraStream_, &page);
        if (hasVorbis_) ogg_stream_pagein(&vorbisStream_, &page);
        return true;
    }
}

bool OggVideoStream::ReadHeaders(std::string& why) {
    const std::string& bytes = *bytes_;
    char* buffer = ogg_sync_buffer(&sync_, static_cast<long>(bytes.size()));
    if (buffer == nullptr) {
        why = "cannot be buffered";
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    ogg_sync_wrote(&sync_, static_cast<long>(bytes.size()));

    int theoraHeaders = 0, vorbisHeaders = 0;
    bool anyPage = false;
    ogg_packet packet;
    ogg_page page;
    // The beginning-of-stream pages come first: find a Theora and a Vorbis
    // stream among them.
    for (;;) {
        const int got = ogg_sync_pageout(&sync_, &page);
        if (got < 0) {
            why = "is not an Ogg file";
            return false;
        }
        if (got == 0) break;
        anyPage = true;
        if (ogg_page_bos(&page) == 0) {
            if (hasTheora_) ogg_stream_pagein(&theoraStream_, &page);
            if (hasVorbis_) ogg_stream_pagein(&vorbisStream_, &page);
            break;
        }
        ogg_stream_state probe;
        ogg_stream_init(&probe, ogg_page_serialno(&page));
        ogg_stream_pagein(&probe, &page);
        if (ogg_stream_packetpeek(&probe, &packet) == 1) {
            if (!hasTheora_ && th_decode_headerin(&theoraInfo_, &theoraComment_, &setup_, &packet) > 0) {
                std::memcpy(&theoraStream_, &probe, sizeof probe);
                ogg_stream_packetout(&theoraStream_, &packet);
                hasTheora_ = true;
                theoraHeaders = 1;
                continue;
            }
            if (!hasVorbis_ && vorbis_synthesis_headerin(&vorbisInfo_, &vorbisComment_, &packet) == 0) {
                std::memcpy(&vorbisStream_, &probe, sizeof probe);
                ogg_stream_packetout(&vorbisStream_, &packet);
                hasVorbis_ = true;
                vorbisHeaders = 1;
                continue;
            }
            if (!hasTheora_ && packet.bytes >= 7 && std::memcmp(packet.packet, "\x80theora", 7) == 0) {
                ogg_stream_clear(&probe);
                why = "has damaged Theora headers";
                return false;
            }
        }
        ogg_stream_clear(&probe);
    }
    if (!hasTheora_) {
        why = anyPage ? "has no Theora video stream" : "is not an Ogg file";
        return false;
    }
    while (theoraHeaders < 3 || (hasVorbis_ && vorbisHeaders < 3)) {
        bool progressed = false;
        while (theoraHeaders < 3) {
            const int got = ogg_stream_packetout(&theoraStream_, &packet);
            if (got == 0) break;
            if (got < 0 || th_decode_headerin(&theoraInfo_, &theoraComment_, &setup_, &packet) <= 0) {
                why = "has damaged Theora headers";
                return false;
            }
            ++theoraHeaders;
            progressed = true;
        }
        while (hasVorbis_ && vorbisHeaders < 3) {
            const int got = ogg_stream_packetout(&vorbisStream_, &packet);
            if (got == 0) break;
            if (got < 0 || vorbis_synthesis_headerin(&vorbisInfo_, &vorbisComment_, &packet) != 0) {
                why = "has damaged Vorbis headers";
                return false;
            }
            ++vorbisHeaders;
            progressed = true;
        }
        if (!progressed && !FeedPage()) {
            why = "is cut short in its headers";
            return false;
        }
    }
    return true;
}

// Every page must be whole and the video stream must end: a file cut short
// or with damaged bytes is refused. The length is the later of the last
// picture's end and the last sound sample.
bool OggVideoStream::CheckPagesAndLength(std::string& why) {
    ogg_sync_state check;
    ogg_sync_init(&check);
    const std::string& bytes = *bytes_;
    char* buffer = ogg_sync_buffer(&check, static_cast<long>(bytes.size()));
    bool whole = buffer != nullptr;
    bool videoEnded = false;
    ogg_int64_t lastVideo = -1, lastSound = -1;
    if (whole) {
        std::copy(bytes.begin(), bytes.end(), buffer);
        ogg_sync_wrote(&check, static_cast<long>(bytes.size()));
        ogg_page page;
        for (;;) {
            const int got = ogg_sync_pageout(&check, &page);
            if (got == 0) break;
            if (got < 0) {
                whole = false;
                break;
            }
            const int serial = ogg_page_serialno(&page);
            const ogg_int64_t granule = ogg_page_granulepos(&page);
            if (serial == theoraStream_.serialno) {
                if (granule >= 0) lastVideo = granule;
                if (ogg_page_eos(&page) != 0) videoEnded = true;
            } else if (hasVorbis_ && serial == vorbisStream_.serialno && granule >= 0) {
                lastSound = granule;
            }
        }
        // Bytes left over that make no whole page: the file was cut.
        if (check.fill > check.returned) whole = false;
    }
    ogg_sync_clear(&check);
    if (!whole || !videoEnded) {
        why = whole ? "is cut short" : "is cut short or damaged";
        return false;
    }
    double length = lastVideo >= 0 ? th_granule_time(decoder_, lastVideo) : 0;
    if (hasVorbis_ && lastSound > 0) length = std::max(length, static_cast<double>(lastSound) / info_.audioRate);
    if (!(length >= 0 && length < 1e7)) length = 0;
    info_.length = length;
    return true;
}

bool OggVideoStream::Open(std::string& why) {
    if (bytes_->size() > kMaxVideoFileBytes) {
        why = "is too large";
        return false;
    }
    if (bytes_->empty()) {
        why = "is not an Ogg file";
        return false;
    }
    if (!ReadHeaders(why)) return false;
    const th_info& ti = theoraInfo_;
    // The sizes are checked before the decoder allocates its frames.
    if (ti.frame_width == 0 || ti.frame_height == 0 || ti.frame_width > kMaxVideoSide ||
        ti.frame_height > kMaxVideoSide || ti.pic_width == 0 || ti.pic_height == 0 ||
        ti.pic_x + ti.pic_width > ti.frame_width || ti.pic_y + ti.pic_height > ti.frame_height) {
        why = "has a picture size out of bounds (at most 4096x4096)";
        return false;
    }
    if (ti.fps_numerator == 0 || ti.fps_denominator == 0 ||
        static_cast<double>(ti.fps_numerator) / ti.fps_denominator > kMaxFramesPerSecond) {
        why = "has a bad frame rate";
        return false;
    }
    if (ti.pixel_fmt != TH_PF_420 && ti.pixel_fmt != TH_PF_422 && ti.pixel_fmt != TH_PF_444) {
        why = "has an unknown pixel format";
        return false;
    }
    decoder_ = th_decode_alloc(&theoraInfo_, setup_);
    if (decoder_ == nullptr) {
        why = "has Theora headers the decoder refuses";
        return false;
    }
    info_.width = static_cast<int>(ti.pic_width);
    info_.height = static_cast<int>(ti.pic_height);
    info_.framesPerSecond = static_cast<double>(ti.fps_numerator) / ti.fps_denominator;
    if (hasVorbis_) {
        if (vorbisInfo_.rate < kMinAudioRate || vorbisInfo_.rate > kMaxAudioRate || vorbisInfo_.channels < 1 ||
            vorbisInfo_.channels > kMaxAudioChannels) {
            why = "has a sound rate or channel count out of bounds";
            return false;
        }
        if (vorbis_synthesis_init(&vorbisDsp_, &vorbisInfo_) != 0) {
            why = "has Vorbis headers the decoder refuses";
            return false;
        }
        vorbis_block_init(&vorbisDsp_, &vorbisBlock_);
        vorbisReady_ = true;
        info_.audioRate = static_cast<int>(vorbisInfo_.rate);
        info_.audioChannels = vorbisInfo_.channels;
    }
    return CheckPagesAndLength(why);
}

void OggVideoStream::ConvertPicture(const th_ycbcr_buffer& planes, std::vector<uint8_t>& rgba) const {
    const int width = info_.width, height = info_.height;
    const int px = static_cast<int>(theoraInfo_.pic_x), py = static_cast<int>(theoraInfo_.pic_y);
    const int xShift = planes[0].width > planes[1].width ? 1 : 0;
    const int yShift = planes[0].height > planes[1].height ? 1 : 0;
    rgba.resize(static_cast<size_t>(width) * height * 4);
    uint8_t* out = rgba.data();
    for (int y = 0; y < height; ++y) {
        const int fy = py + y, cy = fy >> yShift;
        const unsigned char* yRow = planes[0].data + static_cast<ptrdiff_t>(fy) * planes[0].stride;
        const unsigned char* uRow = planes[1].data + static_cast<ptrdiff_t>(cy) * planes[1].stride;
        const unsigned char* vRow = planes[2].data + static_cast<ptrdiff_t>(cy) * planes[2].stride;
        for (int x = 0; x < width; ++x) {
            const int fx = px + x, cx = fx >> xShift;
            // BT.601 studio range to full-range RGB, in 16.16 fixed point.
            const int c = (yRow[fx] - 16) * 76309;
            const int d = uRow[cx] - 128, e = vRow[cx] - 128;
            *out++ = Clamp((c + 104597 * e + 32768) >> 16);
            *out++ = Clamp((c - 25675 * d - 53279 * e + 32768) >> 16);
            *out++ = Clamp((c + 132201 * d + 32768) >> 16);
            *out++ = 255;
        }
    }
}

bool OggVideoStream::NextPicture(VideoPicture& picture) {
    ogg_packet packet;
    for (;;) {
        const int got = ogg_stream_packetout(&theoraStream_, &packet);
        if (got == 0) {
            if (!pagesLeft_ || !FeedPage()) return false;
            continue;
        }
        if (got < 0) continue;  // a hole in the stream: go on after it
        ogg_int64_t granule = -1;
        const int decoded = th_decode_packetin(decoder_, &packet, &granule);
        if (decoded != 0 && decoded != TH_DUPFRAME) continue;  // a bad packet is skipped
        th_ycbcr_buffer planes;
        if (th_decode_ycbcr_out(decoder_, planes) != 0) continue;
        const ogg_int64_t number = granule >= 0 ? th_granule_frame(decoder_, granule) : -1;
        picture.frame = number >= 0 ? number : nextFrame_;
        nextFrame_ = picture.frame + 1;
        ConvertPicture(planes, picture.rgba);
        return true;
    }
}

bool OggVideoStream::NextSound(std::vector<float>& samples) {
    if (!vorbisReady_) return false;
    const int channels = info_.audioChannels;
    ogg_packet packet;
    for (;;) {
        float** pcm = nullptr;
        const int count = vorbis_synthesis_pcmout(&vorbisDsp_, &pcm);
        if (count > 0) {
            samples.resize(static_cast<size_t>(count) * channels);
            for (int i = 0; i < count; ++i)
                for (int ch = 0; ch < channels; ++ch) samples[static_cast<size_t>(i) * channels + ch] = pcm[ch][i];
            vorbis_synthesis_read(&vorbisDsp_, count);
            return true;
        }
        const int got = ogg_stream_packetout(&vorbisStream_, &packet);
        if (got == 0) {
            if (!pagesLeft_ || !FeedPage()) return false;
            continue;
        }
        if (got < 0) continue;
        if (vorbis_synthesis(&vorbisBlock_, &packet) == 0) vorbis_synthesis_blockin(&vorbisDsp_, &vorbisBlock_);
    }
}

}  // namespace

std::unique_ptr<VideoStream> OpenVideoStream(std::shared_ptr<const std::string> bytes, std::string& why) {
    if (bytes == nullptr) {
        why = "has no bytes";
        return nullptr;
    }
    auto stream = std::make_unique<OggVideoStream>(std::move(bytes));
    if (!stream->Open(why)) return nullptr;
    return stream;
}
