// A window with its GL context for drawing tests: the engine context is
// g_engine, 320 x 240, cleared to black, opaque drawing (AlphaMode 0).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "testkit/gfx_files.h"
#include "testkit/testkit.h"

namespace testkit {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& c);

// The back buffer as it is now (read it before any buffer swap).
class Screen {
public:
    Screen();
    Rgba At(int x, int y) const;
    // RGB only, alpha ignored.
    bool Is(int x, int y, uint8_t r, uint8_t g, uint8_t b) const;
    // Count of pixels that are not black.
    int LitPixels() const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    std::vector<uint8_t> pixels_;
    int width_ = 0, height_ = 0;
};

class GlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the picture as a file (a 24-bit BMP, or a PNG with alpha) and
    // loads it with LoadSprite.
    void LoadPicture(double slot, const Picture& picture, bool png = false);
    // The window's scale: above 1 every command draws into the offscreen
    // frame, at 1 into the window itself.
    virtual int WindowScale() const { return 1; }
    TempFolder folder_;
};

}  // namespace testkit
