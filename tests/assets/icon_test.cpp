// The desktop icons: PNGs that an icon theme can take as they are (square,
// the size their folder names, transparent outside the tile), with the
// large one a crisp whole-pixel enlargement of the drawing.

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "aerox/assets/asset_set.hpp"
#include "aerox/assets/palette.hpp"

using namespace aerox::assets;

namespace {

struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    const std::uint8_t* at(int x, int y) const { return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
};

// Decoded by libpng's own reader, as a desktop would.
Rgba decodePng(const std::vector<std::uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Rgba out;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        ADD_FAILURE() << "not a PNG: " << image.message;
        return out;
    }
    image.format = PNG_FORMAT_RGBA;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        ADD_FAILURE() << "bad PNG: " << image.message;
        out = {};
    }
    return out;
}

const AssetFile* iconNamed(const std::vector<AssetFile>& icons, const std::string& path) {
    for (const auto& f : icons)
        if (f.path == path) return &f;
    ADD_FAILURE() << "no icon " << path;
    return nullptr;
}

}  // namespace

TEST(Icons, ThemeSizedPngsTransparentOutsideTheTileWithTheJetOnIt) {
    const auto icons = buildIcons();
    ASSERT_EQ(2u, icons.size());
    const Rgb silver = colourOf('G');
    for (const int size : {48, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + "/aerox.png";
        SCOPED_TRACE(name);
        const AssetFile* file = iconNamed(icons, name);
        ASSERT_NE(nullptr, file);
        const Rgba icon = decodePng(file->bytes);
        ASSERT_EQ(size, icon.width);
        ASSERT_EQ(size, icon.height);
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(0, icon.at(x, y)[3]) << "corner " << x << "," << y;
        int opaque = 0, jet = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* p = icon.at(x, y);
                ASSERT_TRUE(p[3] == 0 || p[3] == 255) << "half-transparent pixel at " << x << "," << y;
                if (p[3] == 0) {
                    // No colour-key fringe where a desktop blends or scales.
                    ASSERT_EQ(0, p[0] + p[1] + p[2]) << "coloured transparent pixel at " << x << "," << y;
                    continue;
                }
                ++opaque;
                jet += Rgb{p[0], p[1], p[2]} == silver ? 1 : 0;
            }
        // The rounded tile covers most of the square; the jet's silver
        // hull takes a good part of it.
        EXPECT_GT(opaque, size * size * 3 / 4);
        EXPECT_GT(jet, size * size / 30);
    }
}

TEST(Icons, LargeIconIsTheDrawingEnlargedByWholePixels) {
    const auto icons = buildIcons();
    const AssetFile* file = iconNamed(icons, "256x256/aerox.png");
    ASSERT_NE(nullptr, file);
    const Rgba icon = decodePng(file->bytes);
    ASSERT_EQ(256, icon.width);
    int differingBlocks = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t* p = icon.at(x, y);
            const std::uint8_t* corner = icon.at(x - x % 4, y - y % 4);
            if (!std::equal(p, p + 4, corner)) ++differingBlocks;
        }
    EXPECT_EQ(0, differingBlocks) << "pixels that differ from their 4x4 block";
}
