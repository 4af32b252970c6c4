// The program's icon for desktop menus: the player's jet over a rounded tile
// of sea. Drawn at 48 and 64 pixels; larger sizes are whole-number scales of
// the 64-pixel drawing, so the pixel art stays crisp.

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {
namespace {

// How far (x, y) lies outside a square of `size` pixels inset by `inset`
// whose corners are rounded with `radius`; <= 0 inside.
double outsideRoundedSquare(int x, int y, int size, int inset, double radius) {
    const double lo = inset + radius;
    const double hi = size - inset - radius;
    const double px = x + 0.5, py = y + 0.5;
    const double dx = std::max({lo - px, 0.0, px - hi});
    const double dy = std::max({lo - py, 0.0, py - hi});
    return std::hypot(dx, dy) - radius;
}

Image seaTile(int size, int inset, double radius) {
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = outsideRoundedSquare(x, y, size, inset, radius);
            if (d > 0) continue;
            if (d > -1) {
                img.set(x, y, pc('k'));
                continue;
            }
            // Deep water at the bottom, lighter towards the top, with a few
            // crests from the same noise the sea tiles use.
            const double n = valueNoise(x / 5.0, y / 3.0, 0xAE40u);
            const double depth = static_cast<double>(y) / size;
            char code = n > 0.72 ? 'B' : (n < 0.3 || depth > 0.75 ? 'n' : 'b');
            if (n > 0.86) code = 'c';
            if (d > -2 && y < size / 2) code = 'B';  // a rim of light along the top edge
            img.set(x, y, colourOf(code));
        }
    return img;
}

}  // namespace

Image makeIcon(int size) {
    if (size != 48 && size != 64) throw std::invalid_argument("icons are drawn at 48 or 64 pixels");
    Image img = seaTile(size, size / 24, size / 6.0);
    const Image jet = makePlayer(0);  // 64x64 with the exhaust flame
    // The small icon has no room for the flame: the jet alone, nose at the top.
    const Image body = makePlayerBody();
    if (size == 64) {
        stampImage(img, jet, 0, 0);
    } else {
        stampImage(img, body, (size - body.width()) / 2, (size - body.height()) / 2);
    }
    return img;
}

Image scaleUp(const Image& src, int factor) {
    if (factor < 1) throw std::invalid_argument("scale factor must be at least 1");
    Image out(src.width() * factor, src.height() * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, src.at(x / factor, y / factor));
    return out;
}

}  // namespace aerox::assets
