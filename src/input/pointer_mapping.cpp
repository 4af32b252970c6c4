#include "input/pointer_mapping.h"

#include <algorithm>
#include <cstdint>

#include "gfx/frame_scaling.h"

namespace {

bool Usable(const WindowShape& s) {
    return s.windowWidth > 0 && s.windowHeight > 0 && s.drawableWidth > 0 && s.drawableHeight > 0 &&
           s.screenWidth > 0 && s.screenHeight > 0;
}

// Floor division; the numerator may be negative (left of the picture).
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }

// The picture's rectangle in drawable pixels, its top counted from the top.
PixelRect PictureFromTop(const WindowShape& s) {
    PixelRect to = FramePlacement(s.screenWidth, s.screenHeight, s.drawableWidth, s.drawableHeight);
    to.y = s.drawableHeight - (to.y + to.height);
    return to;
}

}  // namespace

ScreenPoint ScreenPointFromWindow(const WindowShape& s, int x, int y) {
    if (!Usable(s)) return {};
    // The centre of the window unit the pointer is in, in drawable pixels.
    const int64_t px = FloorDiv((2 * int64_t{x} + 1) * s.drawableWidth, 2 * int64_t{s.windowWidth});
    const int64_t py = FloorDiv((2 * int64_t{y} + 1) * s.drawableHeight, 2 * int64_t{s.windowHeight});
    const PixelRect to = PictureFromTop(s);
    if (to.width <= 0 || to.height <= 0) return {};
    const int64_t sx = FloorDiv((px - to.x) * s.screenWidth, to.width);
    const int64_t sy = FloorDiv((py - to.y) * s.screenHeight, to.height);
    return {static_cast<int>(std::clamp<int64_t>(sx, 0, s.screenWidth - 1)),
            static_cast<int>(std::clamp<int64_t>(sy, 0, s.screenHeight - 1))};
}

WindowRect WindowRectFromScreen(const WindowShape& s, int x, int y, int width, int height) {
    if (!Usable(s) || width <= 0 || height <= 0) return {};
    const PixelRect to = PictureFromTop(s);
    if (to.width <= 0 || to.height <= 0) return {};
    // Screen pixels to drawable pixels to window units, clipped to the picture.
    auto across = [&](int v, int screen, int offset, int size, int drawable, int window) {
        const int64_t kept = std::clamp<int64_t>(v, 0, screen);
        const int64_t pixel = offset + kept * size / screen;
        return static_cast<int>(pixel * window / drawable);
    };
    const int left = across(x, s.screenWidth, to.x, to.width, s.drawableWidth, s.windowWidth);
    const int top = across(y, s.screenHeight, to.y, to.height, s.drawableHeight, s.windowHeight);
    const int right = across(x + width, s.screenWidth, to.x, to.width, s.drawableWidth, s.windowWidth);
    const int bottom = across(y + height, s.screenHeight, to.y, to.height, s.drawableHeight, s.windowHeight);
    return {left, top, right - left, bottom - top};
}
