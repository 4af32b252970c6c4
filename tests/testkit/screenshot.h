// Screenshots of a real window on an X server, taken with xwd, for tests
// that watch the real program from outside; and a PNG writer for saving
// them.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel

    bool valid() const { return width > 0 && height > 0; }
    const uint8_t* At(int x, int y) const { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
    // Pixels of the rectangle [x0, x1) x [y0, y1) for which keep(r, g, b) holds.
    template <typename Keep>
    int Count(int x0, int y0, int x1, int y1, Keep keep) const {
        int n = 0;
        for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) {
                const uint8_t* p = At(x, y);
                n += keep(p[0], p[1], p[2]) ? 1 : 0;
            }
        return n;
    }
    // Pixels of the rectangle that are not black.
    int Lit(int x0, int y0, int x1, int y1) const {
        return Count(x0, y0, x1, y1, [](int r, int g, int b) { return r + g + b > 30; });
    }
};

// The window's contents now (xwd -id), or an invalid shot. Linux only:
// defined with the process helpers (e2e_process.cpp).
Shot GrabWindow(const std::string& windowId);
// Decodes an X window dump (ZPixmap, 24 or 32 bits a pixel).
Shot DecodeXwd(const std::string& bytes);
// Writes the shot as an RGB PNG file.
bool WritePng(const Shot& shot, const std::string& path);

}  // namespace testkit
