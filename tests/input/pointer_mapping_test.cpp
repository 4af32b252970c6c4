// The pointer on the game's screen for windows of every shape: whole
// scales, black bars either way, a shrunk picture, a high-density drawable,
// and a pointer off the picture clamped to its edge. Arithmetic only.
#include <gtest/gtest.h>

#include "input/pointer_mapping.h"

namespace {

WindowShape Window(int width, int height, int density = 1) {
    return {width, height, width * density, height * density, 320, 240};
}

TEST(PointerMapping, WindowPointsLandOnTheScreenPixelShownThere) {
    struct Case {
        const char* what;
        WindowShape shape;
        int x, y;
        ScreenPoint expected;
    } cases[] = {
        {"scale 1, top-left", Window(320, 240), 0, 0, {0, 0}},
        {"scale 1, bottom-right", Window(320, 240), 319, 239, {319, 239}},
        {"scale 1, middle", Window(320, 240), 160, 120, {160, 120}},
        {"scale 2, first pixel's far corner", Window(640, 480), 1, 1, {0, 0}},
        {"scale 2, second pixel", Window(640, 480), 2, 3, {1, 1}},
        {"scale 3, a menu entry", Window(960, 720), 3 * 60 + 1, 3 * 208 + 2, {60, 208}},
        {"scale 3, last pixel", Window(960, 720), 959, 719, {319, 239}},
        // 1024x768: scale 3, bars of 32 left and right, 24 top and bottom.
        {"bars, picture's first pixel", Window(1024, 768), 32, 24, {0, 0}},
        {"bars, picture's last pixel", Window(1024, 768), 32 + 959, 24 + 719, {319, 239}},
        {"bars, left bar clamps", Window(1024, 768), 5, 400, {0, (400 - 24) / 3}},
        {"bars, right bar clamps", Window(1024, 768), 1020, 400, {319, (400 - 24) / 3}},
        {"bars, top bar clamps", Window(1024, 768), 500, 3, {(500 - 32) / 3, 0}},
        {"bars, bottom bar clamps", Window(1024, 768), 500, 767, {(500 - 32) / 3, 239}},
        // 1920x1080: scale 4, bars of 320 left and right, 60 top and bottom.
        {"wide full screen", Window(1920, 1080), 320 + 4 * 100 + 3, 60 + 4 * 50, {100, 50}},
        {"wide full screen, left bar", Window(1920, 1080), 100, 60, {0, 0}},
        // Narrower than the screen: shrunk to 160x120, 60 rows of bar above.
        {"shrunk, middle", Window(160, 240), 80, 120, {160, 120}},
        {"shrunk, above the picture", Window(160, 240), 80, 10, {160, 0}},
        {"outside the window, left and above", Window(640, 480), -50, -7, {0, 0}},
        {"outside the window, right and below", Window(640, 480), 700, 9000, {319, 239}},
        // Twice as many pixels as window units: 640x480 units hold 1280x960
        // pixels, scale 4 on them, still 2 units a screen pixel.
        {"high density, last", Window(640, 480, 2), 639, 479, {319, 239}},
        {"high density, inside", Window(640, 480, 2), 201, 101, {100, 50}},
        {"minimised", Window(0, 0), 10, 10, {0, 0}},
    };
    for (const Case& c : cases) {
        const ScreenPoint got = ScreenPointFromWindow(c.shape, c.x, c.y);
        EXPECT_EQ(c.expected, got) << c.what << ": got " << got.x << "," << got.y;
    }
}

TEST(PointerMapping, ScreenRectanglesGoBackToTheirWindowUnits) {
    struct Case {
        const char* what;
        WindowShape shape;
        int x, y, width, height;
        WindowRect expected;
    } cases[] = {
        {"scale 1", Window(320, 240), 10, 20, 30, 8, {10, 20, 30, 8}},
        {"scale 3", Window(960, 720), 10, 20, 30, 8, {30, 60, 90, 24}},
        {"bars", Window(1024, 768), 10, 20, 30, 8, {62, 84, 90, 24}},
        {"high density", Window(640, 480, 2), 10, 20, 30, 8, {20, 40, 60, 16}},
        {"clipped to the picture", Window(960, 720), 300, 230, 100, 100, {900, 690, 60, 30}},
        {"empty", Window(960, 720), 10, 20, 0, 8, {}},
        {"minimised", Window(0, 0), 10, 20, 30, 8, {}},
    };
    for (const Case& c : cases) {
        const WindowRect got = WindowRectFromScreen(c.shape, c.x, c.y, c.width, c.height);
        EXPECT_EQ(c.expected, got) << c.what << ": got " << got.x << "," << got.y << " " << got.width << "x"
                                   << got.height;
    }
}

}  // namespace
