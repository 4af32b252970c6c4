// The slots on a real mixer (SDL's silent, real-time "dummy" driver): play
// handles, the buffer cycle, loading over a sounding slot, the edges of the
// slot and buffer numbers.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "gfx/data_resolver.h"
#include "runtime/command_trace.h"
#include "sound/sound_store.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"
#include "wav_builder.h"

namespace {

class SoundSlots : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        CreateSound();
        ASSERT_EQ(InitSound(g_soundDevice), 1);
        // Long enough to be still sounding for the whole test.
        testkit::WriteFile(tone_, wavtest::ToneWav(3.0));
        testkit::WriteFile(other_, wavtest::ToneWav(3.0, 880.0));
    }
    void TearDown() override { ReleaseSound(); }

    int Buffers(int slot) const { return g_soundSlots[slot].bufferCount; }

    testkit::TempFolder folder_;
    std::string tone_ = folder_.File("tone.wav");
    std::string other_ = folder_.File("other.wav");
};

}  // namespace

TEST_F(SoundSlots, ThreeBuffersPlayedFourTimesCycleAndCutOffTheOldest) {
    LoadSound(tone_.c_str(), 5, 3);
    ASSERT_EQ(Buffers(5), 3);
    std::vector<double> handles;
    for (int i = 0; i < 4; ++i) handles.push_back(PlaySound(5, 0, 1));
    EXPECT_EQ(handles, (std::vector<double>{5 * 256 + 0, 5 * 256 + 1, 5 * 256 + 2, 5 * 256 + 0}));
    for (double h : handles) EXPECT_EQ(SoundPlaying(h), 1) << h;
    // The three buffers play the one shared chunk.
    const SoundSlot& slot = g_soundSlots[5];
    for (int b = 0; b < 3; ++b) EXPECT_EQ(Mix_GetChunk(slot.channel[b]), slot.chunk);
}

namespace {
// Bounded: the dummy driver plays in real time, so a short sound ends soon.
bool WaitForTheEnd(double handle) {
    for (int i = 0; i < 1000 && SoundPlaying(handle) != 0; ++i) SDL_Delay(10);
    return SoundPlaying(handle) == 0;
}
}  // namespace

TEST_F(SoundSlots, AnIdleBufferIsUsedAgainAndABusyOneMovesOn) {
    // Long enough to be still sounding at the next call, short enough to wait for.
    testkit::WriteFile(folder_.File("blip.wav"), wavtest::ToneWav(0.3));
    LoadSound(folder_.File("blip.wav").c_str(), 6, 3);
    const double first = PlaySound(6, 0, 1);
    EXPECT_EQ(first, 6 * 256);
    ASSERT_TRUE(WaitForTheEnd(first));
    EXPECT_EQ(PlaySound(6, 0, 1), first);
    EXPECT_EQ(PlaySound(6, 0, 1), first + 1);  // the first is busy now
    ASSERT_TRUE(WaitForTheEnd(first + 1));
    EXPECT_EQ(PlaySound(6, 0, 1), first + 1);
}

TEST_F(SoundSlots, SingleBufferIsNotRestartedWhileItSounds) {
    LoadSound(tone_.c_str(), 0, 1);
    EXPECT_EQ(PlaySound(0, 0, 1), 0);
    EXPECT_EQ(PlaySound(0, 0, 1), -1);
    EXPECT_EQ(SoundPlaying(0), 1);
}

TEST_F(SoundSlots, SlotsAbove127AnswerAs127) {
    LoadSound(tone_.c_str(), 200, 2);
    EXPECT_EQ(Buffers(200), 0);
    EXPECT_EQ(Buffers(127), 2);
    EXPECT_EQ(PlaySound(200, 0, 1), 32512);
    EXPECT_EQ(PlaySound(127.9, 0, 1), 32513);
    EXPECT_EQ(SoundPlaying(32513), 1);
    EXPECT_EQ(PlaySound(1e300, 0, 1), 32512);
}

TEST_F(SoundSlots, BufferCountsAreBounded) {
    LoadSound(tone_.c_str(), 1, 0);
    EXPECT_EQ(Buffers(1), 1);
    LoadSound(tone_.c_str(), 1, -3);
    EXPECT_EQ(Buffers(1), 1);
    LoadSound(tone_.c_str(), 1, 9);
    EXPECT_EQ(Buffers(1), 4);
    LoadSound(tone_.c_str(), 1, 2.9);
    EXPECT_EQ(Buffers(1), 2);
    LoadSound(tone_.c_str(), 1, std::nan(""));
    EXPECT_EQ(Buffers(1), 1);
}

TEST_F(SoundSlots, NegativeSlotsAndHandlesDoNothing) {
    LoadSound(tone_.c_str(), -0.5, 1);  // truncates to slot 0
    EXPECT_EQ(Buffers(0), 1);
    LoadSound(tone_.c_str(), -1, 1);
    LoadSound(tone_.c_str(), std::nan(""), 1);
    EXPECT_EQ(PlaySound(-1, 0, 1), -1);
    EXPECT_EQ(PlaySound(-1e300, 0, 1), -1);
    EXPECT_EQ(PlaySound(std::nan(""), 0, 1), -1);
    for (double h : {-1.0, std::nan(""), 65536.0, 1e300, 3.0 * 256})  // slot 3 is empty
        EXPECT_EQ(SoundPlaying(h), 0) << h;
    for (int s = 1; s < kSoundSlotCount; ++s) ASSERT_EQ(Buffers(s), 0) << s;
}

TEST_F(SoundSlots, LoadingOverASoundingSlotStopsItAtOnce) {
    LoadSound(tone_.c_str(), 7, 2);
    const double first = PlaySound(7, 0, 1);
    ASSERT_EQ(SoundPlaying(first), 1);
    LoadSound(other_.c_str(), 7, 2);
    EXPECT_EQ(SoundPlaying(first), 0);
    EXPECT_EQ(PlaySound(7, 0, 1), 7 * 256);

    // A failed load leaves the slot empty, also when it held a sound.
    LoadSound(folder_.File("missing.wav").c_str(), 7, 2);
    EXPECT_EQ(Buffers(7), 0);
    EXPECT_NE(testkit::ReadFile(LogFilePath()).find("LoadSound: '" + folder_.File("missing.wav") + "' was not loaded"),
              std::string::npos);
    EXPECT_EQ(SoundPlaying(7 * 256), 0);
    EXPECT_EQ(PlaySound(7, 0, 1), -1);
}

TEST_F(SoundSlots, StopSoundsSilencesEverySlot) {
    LoadSound(tone_.c_str(), 2, 2);
    LoadSound(other_.c_str(), 3, 1);
    const double a = PlaySound(2, 0, 1), b = PlaySound(2, 0, 1), c = PlaySound(3, 0, 1);
    ASSERT_EQ(SoundPlaying(a) + SoundPlaying(b) + SoundPlaying(c), 3);
    StopSounds();
    EXPECT_EQ(SoundPlaying(a) + SoundPlaying(b) + SoundPlaying(c), 0);
    EXPECT_EQ(PlaySound(3, 0, 1), 3 * 256);  // free again
}

TEST_F(SoundSlots, EachPlaySetsItsBuffersVolume) {
    LoadSound(tone_.c_str(), 4, 3);
    const SoundSlot& slot = g_soundSlots[4];
    PlaySound(4, 0, 1);
    EXPECT_EQ(Mix_Volume(slot.channel[0], -1), 128);
    PlaySound(4, 0, 0.5);  // -50 dB
    EXPECT_EQ(Mix_Volume(slot.channel[1], -1), 0);
    PlaySound(4, 0, 0.9);  // -10 dB
    EXPECT_EQ(Mix_Volume(slot.channel[2], -1), 40);
    EXPECT_EQ(Mix_Volume(slot.channel[0], -1), 128);
}

// The 24-bit file and the 16-bit one hold the same sine: once converted for
// the mixer they are the same sound.
TEST_F(SoundSlots, TwentyFourBitFilesPlayTheSameSamplesAsSixteenBitOnes) {
    wavtest::WavLayout deep;
    deep.bits = 24;
    testkit::WriteFile(folder_.File("deep.wav"), wavtest::BuildWav(deep, wavtest::Sine24(2000, 1, 440, 22050, 3e6)));
    testkit::WriteFile(folder_.File("plain.wav"),
                       wavtest::BuildWav(wavtest::WavLayout{}, wavtest::Sine16(2000, 1, 440, 22050, 3e6 / 256)));
    LoadSound(folder_.File("deep.wav").c_str(), 10, 1);
    LoadSound(folder_.File("plain.wav").c_str(), 11, 1);
    const std::vector<uint8_t>& deepSamples = g_soundSlots[10].samples;
    const std::vector<uint8_t>& plainSamples = g_soundSlots[11].samples;
    ASSERT_EQ(deepSamples.size(), plainSamples.size());
    ASSERT_GT(deepSamples.size(), 0u);
    for (size_t i = 0; i + 1 < deepSamples.size(); i += 2) {
        const int a = static_cast<int16_t>(deepSamples[i] | deepSamples[i + 1] << 8);
        const int b = static_cast<int16_t>(plainSamples[i] | plainSamples[i + 1] << 8);
        ASSERT_NEAR(a, b, 1) << i;
    }
    const double handle = PlaySound(10, 0, 1);
    EXPECT_EQ(handle, 10 * 256);
    EXPECT_EQ(SoundPlaying(handle), 1);
}

TEST_F(SoundSlots, LoadsWithTheDataResolversInPlace) {
    CreateDataResolvers(folder_.path());
    LoadSound(tone_.c_str(), 8, 2);
    ReleaseDataResolvers();
    EXPECT_EQ(Buffers(8), 2);
    EXPECT_EQ(PlaySound(8, 0, 1), 8 * 256);
}

TEST_F(SoundSlots, LoadAndPlayAreTraced) {
    std::vector<std::string> seen;
    SetCommandTracer(
        [](const TracedCommand& c, void* user) {
            static_cast<std::vector<std::string>*>(user)->push_back(std::string(c.name) + (c.text ? c.text : ""));
        },
        &seen);
    LoadSound(tone_.c_str(), 9, 1);
    PlaySound(9, 0, 1);
    SetCommandTracer(nullptr, nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"LoadSound" + tone_, "PlaySound"}));
}

TEST_F(SoundSlots, ReleaseEmptiesEverythingAndLaterCommandsAreHarmless) {
    LoadSound(tone_.c_str(), 6, 2);
    PlaySound(6, 0, 1);
    ReleaseSound();
    EXPECT_EQ(g_soundSlots, nullptr);
    EXPECT_EQ(g_soundDevice, nullptr);
    LoadSound(tone_.c_str(), 6, 2);
    EXPECT_EQ(PlaySound(6, 0, 1), -1);
    EXPECT_EQ(SoundPlaying(6 * 256), 0);
    StopSounds();
}
