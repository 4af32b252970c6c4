// From PlaySound's pan and volume to the mixer's gains.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sound/sound_levels.h"

TEST(SoundLevels, PanIsClampedScaledAndTruncated) {
    EXPECT_EQ(PanFromCommand(2), 10000);
    EXPECT_EQ(PanFromCommand(-0.5), -5000);
    EXPECT_EQ(PanFromCommand(-7), -10000);
    EXPECT_EQ(PanFromCommand(0.12345), 1234);
    EXPECT_EQ(PanFromCommand(-0.12345), -1234);
    EXPECT_EQ(PanFromCommand(std::numeric_limits<double>::infinity()), 10000);
    EXPECT_EQ(PanFromCommand(std::nan("")), 0);
}

TEST(SoundLevels, VolumeBecomesAPercentageAndAnAttenuation) {
    EXPECT_EQ(AttenuationFromPercent(PercentFromCommand(3)), 0);
    EXPECT_EQ(AttenuationFromPercent(PercentFromCommand(1)), 0);
    EXPECT_EQ(AttenuationFromPercent(PercentFromCommand(0.5)), -5000);
    EXPECT_EQ(AttenuationFromPercent(PercentFromCommand(-1)), -10000);
    EXPECT_EQ(PercentFromCommand(0.999), 99);
    EXPECT_EQ(PercentFromCommand(std::nan("")), 0);
    EXPECT_EQ(PercentFromCommand(-std::numeric_limits<double>::infinity()), 0);
}

TEST(SoundLevels, AttenuationInHundredthsOfADecibelIsALinearGain) {
    EXPECT_EQ(MixerVolumeFromAttenuation(0), 128);
    EXPECT_EQ(MixerVolumeFromAttenuation(-602), 64);   // -6.02 dB: half
    EXPECT_EQ(MixerVolumeFromAttenuation(-2000), 13);  // -20 dB: a tenth
    EXPECT_EQ(MixerVolumeFromAttenuation(-5000), 0);   // -50 dB: inaudible
    EXPECT_EQ(MixerVolumeFromAttenuation(-10000), 0);
}

TEST(SoundLevels, PanAttenuatesTheOtherSide) {
    const PanGains left = PanGainsFromPan(-10000);
    EXPECT_EQ(left.left, 255);
    EXPECT_EQ(left.right, 0);
    const PanGains right = PanGainsFromPan(10000);
    EXPECT_EQ(right.left, 0);
    EXPECT_EQ(right.right, 255);
    const PanGains centre = PanGainsFromPan(0);
    EXPECT_EQ(centre.left, 255);
    EXPECT_EQ(centre.right, 255);
    const PanGains slightlyRight = PanGainsFromPan(602);
    EXPECT_EQ(slightlyRight.left, 128);
    EXPECT_EQ(slightlyRight.right, 255);
}
