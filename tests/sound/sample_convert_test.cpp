// Samples are turned into the mix format once, at load.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "sound/sample_convert.h"
#include "wav_builder.h"

namespace {

MixFormat StereoMix() {
    MixFormat mix;
    mix.frequency = 22050;
    mix.format = AUDIO_S16SYS;
    mix.channels = 2;
    return mix;
}

WavSound Sound(int channels, int bits, int rate, const std::string& bytes) {
    WavSound s;
    s.channels = channels;
    s.bitsPerSample = bits;
    s.sampleRate = rate;
    s.blockAlign = channels * bits / 8;
    s.data.assign(bytes.begin(), bytes.end());
    return s;
}

int16_t Sample(const std::vector<uint8_t>& v, size_t index) {
    int16_t s;
    std::memcpy(&s, v.data() + index * 2, 2);
    return s;
}

}  // namespace

TEST(SampleConvert, MonoBecomesStereoAtTheMixRate) {
    std::vector<uint8_t> out;
    ASSERT_TRUE(ConvertToMixFormat(Sound(1, 16, 22050, wavtest::Sine16(1000, 1, 440, 22050)), StereoMix(), out));
    ASSERT_EQ(out.size(), 1000u * 4u);
    for (size_t f = 0; f < 1000; ++f) ASSERT_EQ(Sample(out, 2 * f), Sample(out, 2 * f + 1));

    // 8-bit at 11025 Hz: twice the frames, 16-bit stereo.
    ASSERT_TRUE(ConvertToMixFormat(Sound(1, 8, 11025, wavtest::Sine8(1000, 1, 300, 11025)), StereoMix(), out));
    EXPECT_NEAR(static_cast<double>(out.size()), 2000.0 * 4.0, 64.0);
}

TEST(SampleConvert, ExtraChannelsAreDroppedAndTheFirstTwoKept) {
    // Four channels: left loud, right silent, the others loud. The stereo
    // result keeps left and right only.
    std::string frames;
    for (int i = 0; i < 500; ++i) {
        wavtest::Put16(frames, 20000);
        wavtest::Put16(frames, 0);
        wavtest::Put16(frames, 20000);
        wavtest::Put16(frames, 20000);
    }
    std::vector<uint8_t> out;
    ASSERT_TRUE(ConvertToMixFormat(Sound(4, 16, 22050, frames), StereoMix(), out));
    ASSERT_EQ(out.size(), 500u * 4u);
    for (size_t f = 0; f < 500; ++f) {
        ASSERT_EQ(Sample(out, 2 * f), 20000);
        ASSERT_EQ(Sample(out, 2 * f + 1), 0);
    }
}

TEST(SampleConvert, PartFramesAndInconsistentFormatsAreRefused) {
    std::vector<uint8_t> out;
    // 3 bytes of 16-bit mono: one whole frame, the rest dropped.
    ASSERT_TRUE(ConvertToMixFormat(Sound(1, 16, 22050, std::string("\x10\x00\x20", 3)), StereoMix(), out));
    EXPECT_EQ(out.size(), 4u);
    EXPECT_FALSE(ConvertToMixFormat(Sound(1, 16, 22050, std::string("\x10", 1)), StereoMix(), out));
    WavSound odd = Sound(2, 16, 22050, std::string(16, '\0'));
    odd.blockAlign = 2;
    EXPECT_FALSE(ConvertToMixFormat(odd, StereoMix(), out));
    EXPECT_FALSE(ConvertToMixFormat(Sound(1, 16, 0, std::string(16, '\0')), StereoMix(), out));
}

TEST(SampleConvert, TwentyFourBitSamplesKeepTheirTopSixteenBits) {
    // Left and right differ, so a slip of one byte or one channel shows.
    const int32_t values[][2] = {{0x123456, -0x123456}, {0x7FFFFF, -0x800000}, {0x0000FF, 0x7FFF00}, {0, -256}};
    std::string frames;
    for (const auto& frame : values)
        for (int32_t v : frame) wavtest::Put24(frames, v);
    std::vector<uint8_t> out;
    ASSERT_TRUE(ConvertToMixFormat(Sound(2, 24, 22050, frames), StereoMix(), out));
    ASSERT_EQ(out.size(), 4u * 4u);
    for (size_t f = 0; f < 4; ++f)
        for (size_t c = 0; c < 2; ++c)
            EXPECT_NEAR(Sample(out, 2 * f + c), values[f][c] / 256, 1) << f << "," << c;

    // Mono 24-bit becomes the same sample on both sides.
    ASSERT_TRUE(ConvertToMixFormat(Sound(1, 24, 22050, frames), StereoMix(), out));
    ASSERT_EQ(out.size(), 8u * 4u);
    EXPECT_NEAR(Sample(out, 2), -0x1234, 1);
    EXPECT_EQ(Sample(out, 2), Sample(out, 3));
}
