// What the window shows: the frame put into the window's back buffer by the
// presenter's scaling step, read back, for tests of the window at any size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class OpenGLZodadodu;

namespace testkit {

struct WindowPixels {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // RGBA, rows from the bottom
    bool throughSurface = false;  // read from the window's pixel surface
    // 0xRRGGBB of window pixel (x, y), y from the top.
    uint32_t At(int x, int y) const {
        const uint8_t* p = pixels.data() + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
        return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    }
};

// Scales the frame into the window (as presenting does, without the swap)
// and reads the window's back buffer, or its pixel surface when the frame
// went there; the frame stays bound.
WindowPixels ShowAndReadWindow(OpenGLZodadodu& context);

// 0xRRGGBB of pixel (x, y) of a ReadBackBuffer frame of the given width.
inline uint32_t FrameRgb(const std::vector<uint8_t>& frame, int x, int y, int width = 320) {
    const uint8_t* p = frame.data() + (static_cast<size_t>(y) * width + x) * 4;
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

}  // namespace testkit
