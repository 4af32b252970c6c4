#include "test_video.h"

#include <ogg/ogg.h>
#include <theora/theoraenc.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr int kBars = 8;
constexpr unsigned char kDark = 16, kLight = 235;  // studio-range luma

struct TimedPage {
    double time;  // when its last packet ends, seconds
    std::string bytes;
};

std::string PageBytes(const ogg_page& page) {
    std::string bytes(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    bytes.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    return bytes;
}

// Pages of a stream, flushed (whole) or as they fill.
template <typename TimeOf>
void TakePages(ogg_stream_state& stream, bool flush, TimeOf timeOf, std::vector<TimedPage>& pages) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) > 0)
        pages.push_back({timeOf(ogg_page_granulepos(&page)), PageBytes(page)});
}

int SquareSide(int height) { return std::min(16, height / 2); }
int SquareLeft(int width, int height, int frame) { return (frame * 4) % std::max(1, width - SquareSide(height)); }

void DrawPicture(const TestVideoSpec& spec, int frameWidth, int frame, std::vector<unsigned char>& luma) {
    std::fill(luma.begin(), luma.end(), kDark);
    const int half = spec.height / 2;
    const int barWidth = spec.width / kBars;
    for (int bar = 0; bar < kBars; ++bar) {
        if (((frame >> (kBars - 1 - bar)) & 1) == 0) continue;
        for (int y = 0; y < half; ++y)
            std::fill_n(luma.begin() + static_cast<ptrdiff_t>(y) * frameWidth + static_cast<ptrdiff_t>(bar) * barWidth,
                        barWidth, kLight);
    }
    // The moving square: the picture changes from frame to frame below the bars.
    const int side = SquareSide(spec.height);
    const int x0 = SquareLeft(spec.width, spec.height, frame);
    for (int y = half + (half - side) / 2; y < half + (half + side) / 2; ++y)
        std::fill_n(luma.begin() + static_cast<ptrdiff_t>(y) * frameWidth + x0, side, kLight);
}

std::vector<TimedPage> EncodePictures(const TestVideoSpec& spec, std::vector<TimedPage>& headers) {
    th_info info;
    th_info_init(&info);
    // The coded frame is whole macroblocks; the picture is its top-left part.
    info.frame_width = static_cast<ogg_uint32_t>((spec.width + 15) & ~15);
    info.frame_height = static_cast<ogg_uint32_t>((spec.height + 15) & ~15);
    info.pic_width = static_cast<ogg_uint32_t>(spec.width);
    info.pic_height = static_cast<ogg_uint32_t>(spec.height);
    info.fps_numerator = static_cast<ogg_uint32_t>(spec.framesPerSecond);
    info.fps_denominator = 1;
    info.aspect_numerator = info.aspect_denominator = 1;
    info.colorspace = TH_CS_UNSPECIFIED;
    info.pixel_fmt = TH_PF_420;
    info.quality = 48;
    th_enc_ctx* encoder = th_encode_alloc(&info);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x7e0);
    auto timeOf = [encoder](ogg_int64_t granule) { return granule < 0 ? 0.0 : th_granule_time(encoder, granule); };
    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    bool first = true;
    while (th_encode_flushheader(encoder, &comment, &packet) > 0) {
        ogg_stream_packetin(&stream, &packet);
        // The first header alone on the first page, as Ogg's streams begin.
        if (first) TakePages(stream, true, timeOf, headers);
        first = false;
    }
    std::vector<TimedPage> rest;
    TakePages(stream, true, timeOf, rest);
    headers.insert(headers.end(), rest.begin(), rest.end());

    const int fw = static_cast<int>(info.frame_width), fh = static_cast<int>(info.frame_height);
    std::vector<unsigned char> luma(static_cast<size_t>(fw) * fh), chroma(static_cast<size_t>(fw / 2) * (fh / 2), 128);
    th_ycbcr_buffer planes;
    planes[0] = {fw, fh, fw, luma.data()};
    planes[1] = {fw / 2, fh / 2, fw / 2, chroma.data()};
    planes[2] = planes[1];
    std::vector<TimedPage> pages;
    for (int frame = 0; frame < spec.frames; ++frame) {
        DrawPicture(spec, fw, frame, luma);
        th_encode_ycbcr_in(encoder, planes);
        while (th_encode_packetout(encoder, frame == spec.frames - 1 ? 1 : 0, &packet) > 0)
            ogg_stream_packetin(&stream, &packet);
        TakePages(stream, false, timeOf, pages);
    }
    TakePages(stream, true, timeOf, pages);
    ogg_stream_clear(&stream);
    th_comment_clear(&comment);
    th_encode_free(encoder);
    th_info_clear(&info);
    return pages;
}

std::vector<TimedPage> EncodeSound(const TestVideoSpec& spec, std::vector<TimedPage>& headers) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 2, spec.soundRate, 0.4f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x50d);
    const double rate = spec.soundRate;
    auto timeOf = [rate](ogg_int64_t granule) { return granule < 0 ? 0.0 : static_cast<double>(granule) / rate; };
    ogg_packet id, notes, books;
    vorbis_analysis_headerout(&dsp, &comment, &id, &notes, &books);
    ogg_stream_packetin(&stream, &id);
    TakePages(stream, true, timeOf, headers);
    ogg_stream_packetin(&stream, &notes);
    ogg_stream_packetin(&stream, &books);
    TakePages(stream, true, timeOf, headers);

    const long total = std::lround(static_cast<double>(spec.frames) / spec.framesPerSecond * rate);
    std::vector<TimedPage> pages;
    ogg_packet packet;
    auto drain = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) ogg_stream_packetin(&stream, &packet);
        }
        TakePages(stream, false, timeOf, pages);
    };
    constexpr long kChunk = 1024;
    for (long start = 0; start < total; start += kChunk) {
        const long count = std::min(kChunk, total - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            const double t = static_cast<double>(start + i) / rate;
            const double frame = t * spec.framesPerSecond;
            bool on = false;
            for (int s : spec.toneStarts) on = on || (frame >= s && frame < s + spec.toneFrames);
            const float value = on ? static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 880 * t)) : 0.0f;
            buffer[0][i] = buffer[1][i] = value;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);
    drain();
    TakePages(stream, true, timeOf, pages);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return pages;
}

}  // namespace

std::string EncodeTestVideo(const TestVideoSpec& spec) {
    // Beginning pages first (Theora's, then Vorbis'), then the other
    // headers, then the data pages of both in the order of their time.
    std::vector<TimedPage> videoHeaders, soundHeaders;
    std::vector<TimedPage> data = EncodePictures(spec, videoHeaders);
    if (spec.soundRate > 0) {
        std::vector<TimedPage> sound = EncodeSound(spec, soundHeaders);
        data.insert(data.end(), sound.begin(), sound.end());
        std::stable_sort(data.begin(), data.end(),
                         [](const TimedPage& a, const TimedPage& b) { return a.time < b.time; });
    }
    std::string file;
    if (!videoHeaders.empty()) file += videoHeaders.front().bytes;
    if (!soundHeaders.empty()) file += soundHeaders.front().bytes;
    for (size_t i = 1; i < videoHeaders.size(); ++i) file += videoHeaders[i].bytes;
    for (size_t i = 1; i < soundHeaders.size(); ++i) file += soundHeaders[i].bytes;
    for (const TimedPage& page : data) file += page.bytes;
    return file;
}

int ReadFrameNumber(const unsigned char* rgba, int width, int height, int stride) {
    const int barWidth = width / kBars;
    const int y = height / 4;
    int number = 0;
    for (int bar = 0; bar < kBars; ++bar) {
        const unsigned char* p =
            rgba + static_cast<size_t>(y) * stride + static_cast<size_t>(bar * barWidth + barWidth / 2) * 4;
        const int level = (p[0] + p[1] + p[2]) / 3;
        if (level > 96 && level < 160) return -1;
        number = number * 2 + (level >= 160 ? 1 : 0);
    }
    const int side = SquareSide(height);
    const int sx = SquareLeft(width, height, number) + side / 2, sy = height / 2 + height / 4;
    const unsigned char* p = rgba + static_cast<size_t>(sy) * stride + static_cast<size_t>(sx) * 4;
    return (p[0] + p[1] + p[2]) / 3 >= 160 ? number : -1;
}
