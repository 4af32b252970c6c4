// Where the screen shows in a window of any size, and the scales a window
// opens at: arithmetic only.
#include <gtest/gtest.h>

#include "gfx/frame_scaling.h"

TEST(FramePlacement, LargestWholeFactorCentredOrShrunkToFit) {
    struct Case {
        int drawableWidth, drawableHeight;
        PixelRect expected;
    } cases[] = {
        {320, 240, {0, 0, 320, 240}},       // exact
        {960, 720, {0, 0, 960, 720}},       // exact at 3
        {1024, 768, {32, 24, 960, 720}},    // 3, bars all round
        {1920, 1080, {320, 60, 1280, 960}},  // 4: 60 px bars top and bottom, 320 left and right
        {700, 500, {30, 10, 640, 480}},     // 2
        {959, 720, {159, 120, 640, 480}},   // one pixel short of 3
        {2000, 240, {840, 0, 320, 240}},    // the height decides
        {160, 240, {0, 60, 160, 120}},      // narrower than the screen: shrunk, shape kept
        {320, 100, {93, 0, 133, 100}},      // lower than the screen: shrunk, shape kept
        {1, 1, {0, 0, 1, 1}},               // never nothing while there is a pixel
        {0, 240, {0, 0, 0, 0}},             // a minimised window
    };
    for (const Case& c : cases) {
        const PixelRect got = FramePlacement(320, 240, c.drawableWidth, c.drawableHeight);
        EXPECT_EQ(c.expected, got) << c.drawableWidth << "x" << c.drawableHeight << ": got " << got.x << "," << got.y
                             << " " << got.width << "x" << got.height;
    }
    EXPECT_EQ(PixelRect{}, FramePlacement(0, 240, 640, 480));
}

TEST(WindowScales, OpenAtMost85PercentOfTheUsableAreaAndNeverAboveTheLimit) {
    EXPECT_EQ(3, ComfortableScale(320, 240, 1920, 1080));  // 960x720
    EXPECT_EQ(3, ComfortableScale(320, 240, 1920, 1040));  // a taskbar leaves 884 px of height: still 720
    EXPECT_EQ(2, ComfortableScale(320, 240, 1024, 768));
    EXPECT_EQ(1, ComfortableScale(320, 240, 640, 480));
    EXPECT_EQ(1, ComfortableScale(320, 240, 320, 240));   // too small for even 1: 1 all the same
    EXPECT_EQ(1, ComfortableScale(320, 240, -5, 0));
    EXPECT_EQ(4, ComfortableScale(320, 240, 1600, 1200));  // 85%: 1360x1020, 4 x 240 = 960 fits, 5 does not
    EXPECT_EQ(4, LargestScaleFitting(320, 240, 1920, 1080));
    EXPECT_EQ(1, LargestScaleFitting(320, 240, 100, 100));
    EXPECT_EQ(kMaxWindowScale, LargestScaleFitting(320, 240, 100000, 100000));
}
