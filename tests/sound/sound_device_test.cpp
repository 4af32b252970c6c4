// Sound without a device, and sound that really comes out: SDL's "disk"
// driver writes the mix to a file. Each test sets its own audio driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "aerox/aerox.h"
#include "runtime/errors.h"
#include "sound/sound_store.h"
#include "testkit/testkit.h"
#include "wav_builder.h"

namespace {

struct ChannelEnergy {
    double left = 0;
    double right = 0;
};

// Plays one tone with the given pan through the disk driver and sums the
// squared samples of each side of what the mixer wrote.
ChannelEnergy PlayToDisk(double pan, double volume = 1) {
    testkit::TempFolder folder;
    const std::string output = folder.File("mix.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    const std::string wav = folder.File("tone.wav");
    testkit::WriteFile(wav, wavtest::ToneWav(0.25));

    CreateSound();
    EXPECT_EQ(InitSound(g_soundDevice), 1);
    LoadSound(wav.c_str(), 0, 1);
    const double handle = PlaySound(0, pan, volume);
    EXPECT_EQ(handle, 0);
    // The driver runs flat out: the quarter second is gone in moments.
    const Uint64 start = SDL_GetTicks64();
    while (SoundPlaying(handle) != 0 && SDL_GetTicks64() - start < 5000) SDL_Delay(1);
    EXPECT_EQ(SoundPlaying(handle), 0);
    ReleaseSound();

    const std::string mix = testkit::ReadFile(output);

    ChannelEnergy energy;
    for (size_t i = 0; i + 4 <= mix.size(); i += 4) {
        int16_t l, r;
        std::memcpy(&l, mix.data() + i, 2);
        std::memcpy(&r, mix.data() + i + 2, 2);
        energy.left += double(l) * l;
        energy.right += double(r) * r;
    }
    return energy;
}

// The energy of the tone itself, in one channel.
double ToneEnergy() {
    const std::string samples = wavtest::Sine16(static_cast<int>(0.25 * 22050), 1, 440.0, 22050);
    double sum = 0;
    for (size_t i = 0; i + 2 <= samples.size(); i += 2) {
        int16_t v;
        std::memcpy(&v, samples.data() + i, 2);
        sum += double(v) * v;
    }
    return sum;
}

}  // namespace

TEST(SoundOutput, WithoutADeviceEverythingIsSilentAndNothingIsLogged) {
    testkit::TempFolder folder;
    setenv("SDL_AUDIODRIVER", "no_such_audio_driver", 1);
    const std::string wav = folder.File("tone.wav");
    testkit::WriteFile(wav, wavtest::ToneWav(0.1));
    const bool logExisted = std::filesystem::exists(LogFilePath());
    const std::string logBefore = logExisted ? testkit::ReadFile(LogFilePath()) : "";

    CreateSound();
    EXPECT_EQ(InitSound(g_soundDevice), 0);
    LoadSound(wav.c_str(), 0, 2);
    EXPECT_EQ(g_soundSlots[0].bufferCount, 0);
    EXPECT_EQ(PlaySound(0, 0, 1), -1);
    EXPECT_EQ(SoundPlaying(0), 0);
    StopSounds();
    ReleaseSound();

    EXPECT_EQ(std::filesystem::exists(LogFilePath()), logExisted);
    if (logExisted) {
        EXPECT_EQ(testkit::ReadFile(LogFilePath()), logBefore);
    }
}

// The whole sound comes out, on the side its pan says.
TEST(SoundOutput, PanLeftSoundsOnTheLeftOnly) {
    const ChannelEnergy e = PlayToDisk(-1);
    EXPECT_NEAR(e.left / ToneEnergy(), 1.0, 0.01);
    EXPECT_EQ(e.right, 0);
}

TEST(SoundOutput, PanRightSoundsOnTheRightOnly) {
    const ChannelEnergy e = PlayToDisk(1);
    EXPECT_NEAR(e.right / ToneEnergy(), 1.0, 0.01);
    EXPECT_EQ(e.left, 0);
}

TEST(SoundOutput, CentreSoundsOnBothSidesAlike) {
    const ChannelEnergy e = PlayToDisk(0);
    EXPECT_NEAR(e.left / ToneEnergy(), 1.0, 0.01);
    EXPECT_NEAR(e.right / ToneEnergy(), 1.0, 0.01);
}

TEST(SoundOutput, VolumeAndPanAttenuateInDecibels) {
    // Volume 0.9 is -10 dB (amplitude 40/128 on the mixer's scale); pan 0.3
    // takes a further 30 dB off the left side.
    const ChannelEnergy e = PlayToDisk(0.3, 0.9);
    const double gain = 40.0 / 128.0;
    EXPECT_NEAR(e.right / ToneEnergy(), gain * gain, 0.01);
    const double left = gain * 8.0 / 255.0;  // 255 * 10^(-1.5) = 8.06 -> 8
    EXPECT_NEAR(e.left / ToneEnergy(), left * left, 0.001);
    EXPECT_GT(e.left, 0);
}

TEST(SoundOutput, TheMasterVolumeScalesTheWholeMixOverEachPlaysVolume) {
    struct Case {
        double master;
        double expectRead;
        double mixerGain;  // on the mixer's 0..128 scale
    };
    for (Case c : {Case{0.5, 0.5, 64}, Case{0, 0, 0}, Case{2, 1, 128}, Case{0.3, 0.3, 38}}) {
        SetMasterVolume(c.master);
        EXPECT_EQ(GetMasterVolume(), c.expectRead);
        // Set before the device opens, as the options screen may.
        const ChannelEnergy e = PlayToDisk(0, 0.9);
        const double gain = 40.0 / 128.0 * c.mixerGain / 128.0;
        EXPECT_NEAR(e.left / ToneEnergy(), gain * gain, 0.002) << c.master;
        EXPECT_NEAR(e.right / ToneEnergy(), gain * gain, 0.002) << c.master;
    }
    SetMasterVolume(std::nan(""));
    EXPECT_EQ(GetMasterVolume(), 0);
    SetMasterVolume(1);
}
