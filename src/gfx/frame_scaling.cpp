#include "gfx/frame_scaling.h"

#include <algorithm>
#include <cstdint>

PixelRect FramePlacement(int frameWidth, int frameHeight, int drawableWidth, int drawableHeight) {
    if (frameWidth <= 0 || frameHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return {};
    const int scale = std::min(drawableWidth / frameWidth, drawableHeight / frameHeight);
    int64_t width = 0, height = 0;
    if (scale >= 1) {
        width = static_cast<int64_t>(frameWidth) * scale;
        height = static_cast<int64_t>(frameHeight) * scale;
    } else if (static_cast<int64_t>(drawableWidth) * frameHeight <= static_cast<int64_t>(drawableHeight) * frameWidth) {
        width = drawableWidth;
        height = std::max<int64_t>(1, static_cast<int64_t>(drawableWidth) * frameHeight / frameWidth);
    } else {
        height = drawableHeight;
        width = std::max<int64_t>(1, static_cast<int64_t>(drawableHeight) * frameWidth / frameHeight);
    }
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    return {(drawableWidth - w) / 2, (drawableHeight - h) / 2, w, h};
}

int LargestScaleFitting(int frameWidth, int frameHeight, int areaWidth, int areaHeight) {
    if (frameWidth <= 0 || frameHeight <= 0) return 1;
    const int scale = std::min(areaWidth / frameWidth, areaHeight / frameHeight);
    return std::clamp(scale, 1, kMaxWindowScale);
}

int ComfortableScale(int frameWidth, int frameHeight, int usableWidth, int usableHeight) {
    // 85% in whole pixels, rounded down: a window may touch the limit.
    const auto share = [](int size) { return static_cast<int>(static_cast<int64_t>(std::max(size, 0)) * 85 / 100); };
    return LargestScaleFitting(frameWidth, frameHeight, share(usableWidth), share(usableHeight));
}
