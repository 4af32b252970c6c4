// The test video played under Xvfb with the mixer on SDL's dummy driver:
// each shown frame is read back (the bars spell the video's frame number)
// beside the count of samples the mixer has put out, taken from its
// post-mix step (a test-only tap), where the tone's onsets are found.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "aerox/aerox.h"
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "runtime/clock.h"
#include "sound/sound.h"
#include "testkit/gl_fixture.h"
#include "video/video_slots.h"
#include "video_files.h"

namespace {

constexpr double kFps = 15;
constexpr int kToneLevel = 4000;  // the tone peaks near 16000

// What the mixer has put out: samples so far and where each tone began.
struct MixTap {
    std::atomic<int64_t> samples{0};
    std::atomic<int64_t> quietRun{0};
    std::vector<int64_t> onsets;  // written by the mixer's thread only
    std::atomic<int> onsetCount{0};
    std::atomic<int> peak{0};
};
MixTap* g_tap = nullptr;

// NOLINTNEXTLINE(readability-non-const-parameter): SDL_mixer's post-mix type
void TapMix(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    const int64_t start = g_tap->samples.load();
    for (size_t i = 0; i < static_cast<size_t>(length) / 4; ++i) {
        const int level = std::max(std::abs(samples[i * 2]), std::abs(samples[i * 2 + 1]));
        g_tap->peak = std::max(g_tap->peak.load(), level);
        if (level < kToneLevel) {
            ++g_tap->quietRun;
            continue;
        }
        // A tone starts after a tenth of a second of quiet.
        if (g_tap->quietRun > 2205 && g_tap->onsetCount < 8) {
            g_tap->onsets.push_back(start + static_cast<int64_t>(i));
            ++g_tap->onsetCount;
        }
        g_tap->quietRun = 0;
    }
    g_tap->samples += length / 4;
}

struct Shown {
    int frame;  // the video's frame number, -1: none
    int64_t mixed;
    double ms;
};

class VideoPlayback : public testkit::GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        oldFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.path());
        testkit::WriteFile(folder_.File("intro.ogv"), video_test::TestVideo());
        // The first frames of a new window, and the first drawn with a
        // video's texture, are slow to show (the GL compiles its state):
        // past them, the frame loop keeps its pace.
        EXPECT_EQ(LoadVideo(0, "intro.ogv"), 1);
        EXPECT_EQ(PlayVideo(0, 0, 0, 0, 0, 0), 1);
        for (int i = 0; i < 10; ++i) ShowScreen();
        StopVideo(0);
        ShowScreen();
    }
    void TearDown() override {
        SetFrameObserver(nullptr, nullptr);
        ReleaseVideos();
        if (g_soundDevice != nullptr) {
            Mix_SetPostMix(nullptr, nullptr);
            ReleaseSound();
        }
        std::filesystem::current_path(oldFolder_);
        GlFixture::TearDown();
    }
    void OpenMixer() {
        CreateSound();
        ASSERT_EQ(InitSound(g_soundDevice), 1);
        g_tap = &tap_;
        Mix_SetPostMix(TapMix, nullptr);
    }
    // Shows frames until the video ends (or seconds pass), noting each.
    double PlayThrough(double seconds) {
        SetFrameObserver(
            [](OpenGLZodadodu& context, void* user) {
                auto* self = static_cast<VideoPlayback*>(user);
                const std::vector<uint8_t> frame = ReadBackBuffer(context);
                self->shown_.push_back({ReadFrameNumber(frame.data(), 160, 120, context.screenWidth * 4),
                                        self->tap_.samples.load(), NowMs()});
            },
            this);
        const double start = NowMs();
        while (VideoPlaying(0) != 0 && NowMs() - start < seconds * 1000) ShowScreen();
        return (NowMs() - start) / 1000;
    }
    // The first shown frame of each video frame number, -1 when never shown.
    std::vector<int> FirstShown(int frames) const {
        std::vector<int> first(static_cast<size_t>(frames), -1);
        for (size_t i = 0; i < shown_.size(); ++i) {
            const int f = shown_[i].frame;
            if (f >= 0 && f < frames && first[f] < 0) first[f] = static_cast<int>(i);
        }
        return first;
    }

    MixTap tap_;
    std::vector<Shown> shown_;
    std::vector<std::pair<int, int>> litCounts_;  // lit pixels inside and outside the rectangle
    std::filesystem::path oldFolder_;
};

TEST_F(VideoPlayback, PlaysEveryFrameAtItsOwnRateWithTheSoundInStep) {
    OpenMixer();
    ASSERT_EQ(LoadVideo(0, "intro.ogv"), 1);
    ASSERT_EQ(PlayVideo(0, 0, 0, 0, 0, 0), 1);
    const double took = PlayThrough(6);
    EXPECT_EQ(VideoPlaying(0), 0);
    EXPECT_NEAR(took, 2.0, 0.3);

    const std::vector<int> first = FirstShown(30);
    for (int f = 0; f < 30; ++f) {
        SCOPED_TRACE(f);
        ASSERT_GE(first[f], 0) << "never shown";
        if (f > 0) {
            EXPECT_GT(first[f], first[f - 1]);
        }
        // Its own rate: frame f a fifteenth of a second after frame f - 1,
        // within a video frame and a screen frame.
        const double ms = shown_[first[f]].ms - shown_[first[0]].ms;
        EXPECT_NEAR(ms, f * 1000 / kFps, 1000 / kFps + 1000 / 60.0);
    }
    // The tone starts on frames 10 and 20: heard within one video frame of
    // their pictures.
    ASSERT_EQ(tap_.onsetCount.load(), 2);
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const int64_t heard = tap_.onsets[k];
        const int64_t seen = shown_[first[10 + 10 * k]].mixed;
        EXPECT_NEAR(static_cast<double>(seen - heard), 0, 22050 / kFps);
    }
}

TEST_F(VideoPlayback, WithoutSoundTheEngineClockTimesIt) {
    ASSERT_EQ(LoadVideo(0, "intro.ogv"), 1);
    ASSERT_EQ(PlayVideo(0, 0, 0, 0, 0, 0), 1);
    const double took = PlayThrough(6);
    EXPECT_NEAR(took, 2.0, 0.3);
    const std::vector<int> first = FirstShown(30);
    for (int f = 0; f < 30; ++f) {
        SCOPED_TRACE(f);
        ASSERT_GE(first[f], 0) << "never shown";
        const double ms = shown_[first[f]].ms - shown_[first[0]].ms;
        EXPECT_NEAR(ms, f * 1000 / kFps, 1000 / kFps + 1000 / 60.0);
    }
}

TEST_F(VideoPlayback, MasterVolumeZeroSilencesIt) {
    OpenMixer();
    SetMixVolume(0);
    ASSERT_EQ(LoadVideo(0, "intro.ogv"), 1);
    ASSERT_EQ(PlayVideo(0, 0, 0, 0, 0, 0), 1);
    PlayThrough(6);
    SetMixVolume(1);
    EXPECT_EQ(tap_.onsetCount.load(), 0);
    EXPECT_LT(tap_.peak.load(), 100);
}

TEST_F(VideoPlayback, DrawnIntoItsRectangleLoopingUntilStopped) {
    ASSERT_EQ(LoadVideo(0, "intro.ogv"), 1);
    ASSERT_EQ(PlayVideo(0, 100, 50, 80, 60, 1), 1);
    SetFrameObserver(
        [](OpenGLZodadodu&, void* user) {
            const testkit::Screen screen;
            int inside = 0, outside = 0;
            for (int y = 0; y < screen.height(); ++y)
                for (int x = 0; x < screen.width(); ++x) {
                    const testkit::Rgba c = screen.At(x, y);
                    if (c.r + c.g + c.b < 60) continue;
                    const bool in = x >= 100 && x < 180 && y >= 50 && y < 110;
                    ++(in ? inside : outside);
                }
            auto* counts = static_cast<std::vector<std::pair<int, int>>*>(user);
            counts->push_back({inside, outside});
        },
        &litCounts_);
    const double start = NowMs();
    while (NowMs() - start < 2600) ShowScreen();
    EXPECT_EQ(VideoPlaying(0), 1);  // past its length, looping
    ASSERT_GT(litCounts_.size(), 100u);
    int framesWithPicture = 0;
    for (const auto& [inside, outside] : litCounts_) {
        EXPECT_EQ(outside, 0);
        if (inside > 30) ++framesWithPicture;  // frame 0 shows only its square
    }
    // Every frame shows a picture, also across the loop.
    EXPECT_GE(framesWithPicture, static_cast<int>(litCounts_.size()) - 1);
    StopVideo(0);
    EXPECT_EQ(VideoPlaying(0), 0);
    litCounts_.clear();
    ShowScreen();
    ASSERT_EQ(litCounts_.size(), 1u);
    EXPECT_EQ(litCounts_[0].first, 0);
}

TEST_F(VideoPlayback, DamagedPicturesAndSoundPlayToTheEndWithoutHarm) {
    OpenMixer();
    // Data pages of both streams overwritten, their checksums set again.
    testkit::WriteFile(folder_.File("damaged.ogv"),
                       video_test::RewritePages(video_test::TestVideo(), [](int, int index, std::string& body) {
                           if (index >= 3)
                               for (size_t i = 0; i < body.size(); i += 3) body[i] = static_cast<char>(i * 151);
                       }));
    ASSERT_EQ(LoadVideo(0, "damaged.ogv"), 1);
    ASSERT_EQ(PlayVideo(0, 0, 0, 0, 0, 0), 1);
    const double took = PlayThrough(6);
    EXPECT_EQ(VideoPlaying(0), 0);
    EXPECT_LT(took, 3.0);
}

}  // namespace
