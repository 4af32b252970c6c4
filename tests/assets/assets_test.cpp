// Tests for the asset generator: the files it writes must load in the engine
// (exact BMP/WAV layouts), and the pictures must follow the transparency and
// layout rules the game relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "aerox/assets/art.hpp"
#include "aerox/assets/asset_set.hpp"
#include "aerox/assets/formats.hpp"
#include "aerox/assets/image.hpp"
#include "aerox/assets/palette.hpp"

namespace fs = std::filesystem;
using namespace aerox::assets;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le16(const Bytes& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t le32(const Bytes& b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }
std::string tag(const Bytes& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Decodes a 24-bit bottom-up BMP as the engine would; header problems are
// reported as test failures.
Image decodeBmp(const Bytes& b, const std::string& name) {
    if (b.size() < 54) {
        ADD_FAILURE() << name << ": too short";
        return Image(1, 1);
    }
    const int w = static_cast<int>(le32(b, 18)), h = static_cast<int>(le32(b, 22));
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
            img.set(x, y, Rgb{b.at(at + 2), b.at(at + 1), b.at(at)});
        }
    return img;
}

struct BitmapInfo {
    std::string path;
    int width;
    int height;
};

std::vector<BitmapInfo> expectedBitmaps() {
    std::vector<BitmapInfo> v = {
        {"data/background.bmp", 200, 140}, {"data/mainmenue.bmp", 130, 90}, {"data/arrow.bmp", 16, 16},
        {"data/shot.bmp", 32, 32},         {"data/water1.bmp", 32, 32},     {"data/water2.bmp", 32, 32},
        {"data/enemy21.bmp", 32, 32},      {"smalfont.bmp", 160, 80},
    };
    for (int i = 1; i <= 3; ++i) v.push_back({"data/island" + std::to_string(i) + ".bmp", 64, 64});
    for (int i = 1; i <= 3; ++i) v.push_back({"data/player3" + std::to_string(i) + ".bmp", 64, 64});
    for (int i = 1; i <= 7; ++i) v.push_back({"data/bigexplosion" + std::to_string(i) + ".bmp", 64, 64});
    for (int i = 1; i <= 7; ++i) v.push_back({"data/enemy1" + std::to_string(i) + ".bmp", 32, 32});
    for (int i = 1; i <= 6; ++i) v.push_back({"data/smallexplosion" + std::to_string(i) + ".bmp", 32, 32});
    return v;
}

struct Bounds {
    int minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
    int opaque = 0, keyed = 0;
    double centreX() const { return (minX + maxX) / 2.0; }
    double centreY() const { return (minY + maxY) / 2.0; }
};

Bounds opaqueBounds(const Image& img) {
    Bounds b;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (img.keyed(x, y)) {
                ++b.keyed;
                continue;
            }
            ++b.opaque;
            b.minX = std::min(b.minX, x), b.maxX = std::max(b.maxX, x);
            b.minY = std::min(b.minY, y), b.maxY = std::max(b.maxY, y);
        }
    return b;
}

int colourDistance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

double luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

int differingPixels(const Image& a, const Image& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.at(x, y) == b.at(x, y) ? 0 : 1;
    return n;
}

// Generates the whole set once into a private temporary folder.
class GeneratedAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::random_device rd;
        dir_ = new fs::path(fs::temp_directory_path() / ("aerox_assets_test_" + std::to_string(rd())));
        writeAssets(*dir_);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(*dir_, ec);
        delete dir_;
        dir_ = nullptr;
    }
    static Bytes file(const std::string& rel) { return readFile(*dir_ / rel); }
    static Image bitmap(const std::string& rel) { return decodeBmp(file(rel), rel); }

    static fs::path* dir_;
};
fs::path* GeneratedAssets::dir_ = nullptr;

TEST_F(GeneratedAssets, WritesExactlyTheExpectedFiles) {
    std::set<std::string> expected;
    for (const auto& b : expectedBitmaps()) expected.insert(b.path);
    for (const char* w : {"data/shot.wav", "data/explode1.wav", "data/explode2.wav"}) expected.insert(w);
    EXPECT_EQ(expected.size(), 37u);

    std::set<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(*dir_))
        if (e.is_regular_file()) found.insert(fs::relative(e.path(), *dir_).generic_string());
    EXPECT_EQ(found, expected);
}

TEST_F(GeneratedAssets, BitmapHeadersMatchTheEngineLayout) {
    for (const auto& info : expectedBitmaps()) {
        SCOPED_TRACE(info.path);
        const Bytes b = file(info.path);
        ASSERT_GE(b.size(), 54u);
        const std::size_t stride = (static_cast<std::size_t>(info.width) * 3 + 3) & ~std::size_t{3};
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 2), b.size());
        EXPECT_EQ(le32(b, 6), 0u);
        EXPECT_EQ(le32(b, 10), 54u);
        EXPECT_EQ(le32(b, 14), 40u);
        EXPECT_EQ(static_cast<int>(le32(b, 18)), info.width);
        EXPECT_EQ(static_cast<int>(le32(b, 22)), info.height);  // positive: bottom-up
        EXPECT_EQ(le16(b, 26), 1u);
        EXPECT_EQ(le16(b, 28), 24u);
        EXPECT_EQ(le32(b, 30), 0u);
        EXPECT_EQ(b.size(), 54 + stride * static_cast<std::size_t>(info.height));
        // Row padding is zero-filled.
        for (int y = 0; y < info.height; ++y)
            for (std::size_t p = static_cast<std::size_t>(info.width) * 3; p < stride; ++p)
                ASSERT_EQ(b[54 + static_cast<std::size_t>(y) * stride + p], 0) << "row " << y;
    }
}

TEST_F(GeneratedAssets, SpritesHaveKeyedBackgroundAndOpaqueArt) {
    for (const auto& info : expectedBitmaps()) {
        if (info.path == "smalfont.bmp" || info.path.find("water") != std::string::npos) continue;
        SCOPED_TRACE(info.path);
        const Bounds b = opaqueBounds(bitmap(info.path));
        EXPECT_GT(b.opaque, 0);
        EXPECT_GT(b.keyed, 0);
    }
    // Solid objects are surrounded by key: all four corners transparent.
    std::vector<std::string> framed = {"data/shot.bmp", "data/enemy21.bmp", "data/arrow.bmp"};
    for (int i = 1; i <= 3; ++i) framed.push_back("data/island" + std::to_string(i) + ".bmp");
    for (int i = 1; i <= 3; ++i) framed.push_back("data/player3" + std::to_string(i) + ".bmp");
    for (int i = 1; i <= 7; ++i) framed.push_back("data/enemy1" + std::to_string(i) + ".bmp");
    for (const auto& name : framed) {
        SCOPED_TRACE(name);
        const Image img = bitmap(name);
        const int r = img.width() - 1, btm = img.height() - 1;
        EXPECT_TRUE(img.keyed(0, 0) && img.keyed(r, 0) && img.keyed(0, btm) && img.keyed(r, btm));
    }
}

TEST_F(GeneratedAssets, ShotIsASmallBulletInTheMiddle) {
    const Bounds b = opaqueBounds(bitmap("data/shot.bmp"));
    EXPECT_NEAR(b.centreX(), 15.5, 0.5);
    EXPECT_NEAR(b.centreY(), 15.5, 0.5);
    const int w = b.maxX - b.minX + 1, h = b.maxY - b.minY + 1;
    EXPECT_GE(w, 4);
    EXPECT_LE(w, 8);
    EXPECT_GE(h, 8);
    EXPECT_LE(h, 12);
    EXPECT_GT(h, w);  // elongated along the flight path
}

TEST_F(GeneratedAssets, AircraftAreCentredAndFrameFilling) {
    for (int i = 1; i <= 3; ++i) {
        const auto name = "data/player3" + std::to_string(i) + ".bmp";
        SCOPED_TRACE(name);
        const Bounds b = opaqueBounds(bitmap(name));
        EXPECT_NEAR(b.centreX(), 31.5, 1.0);
        EXPECT_NEAR(b.centreY(), 31.5, 4.0);
        EXPECT_GE(b.maxX - b.minX + 1, 28);
        EXPECT_GE(b.maxY - b.minY + 1, 36);
    }
    for (const std::string name : {"data/enemy11.bmp", "data/enemy21.bmp"}) {
        SCOPED_TRACE(name);
        const Bounds b = opaqueBounds(bitmap(name));
        EXPECT_NEAR(b.centreX(), 15.5, 1.0);
        EXPECT_NEAR(b.centreY(), 15.5, 2.5);
        EXPECT_GE(b.maxX - b.minX + 1, 20);
    }
}

TEST_F(GeneratedAssets, EnemiesFlyNoseDown) {
    // The fighter's wings sit nearer the nose than the tail; with the nose
    // down, its widest rows are in the lower half of the hull.
    for (const std::string name : {"data/enemy11.bmp", "data/enemy14.bmp"}) {
        SCOPED_TRACE(name);
        const Image img = bitmap(name);
        const Bounds b = opaqueBounds(img);
        int widest = 0, widestRow = -1;
        for (int y = b.minY; y <= b.maxY; ++y) {
            int n = 0;
            for (int x = 0; x < img.width(); ++x) n += img.keyed(x, y) ? 0 : 1;
            if (n > widest) widest = n, widestRow = y;
        }
        EXPECT_GT(widestRow, b.centreY());
    }
}

TEST_F(GeneratedAssets, AnimationFramesDiffer) {
    auto distinct = [](const std::vector<std::string>& names) {
        for (std::size_t i = 1; i < names.size(); ++i) {
            SCOPED_TRACE(names[i]);
            EXPECT_GT(differingPixels(bitmap(names[i - 1]), bitmap(names[i])), 0);
        }
    };
    std::vector<std::string> player, enemy, big, small;
    for (int i = 1; i <= 3; ++i) player.push_back("data/player3" + std::to_string(i) + ".bmp");
    for (int i = 1; i <= 7; ++i) enemy.push_back("data/enemy1" + std::to_string(i) + ".bmp");
    for (int i = 1; i <= 7; ++i) big.push_back("data/bigexplosion" + std::to_string(i) + ".bmp");
    for (int i = 1; i <= 6; ++i) small.push_back("data/smallexplosion" + std::to_string(i) + ".bmp");
    distinct(player);
    distinct(enemy);
    distinct(big);
    distinct(small);
    // The islands are three different pictures.
    EXPECT_GT(differingPixels(bitmap("data/island1.bmp"), bitmap("data/island2.bmp")), 500);
    EXPECT_GT(differingPixels(bitmap("data/island2.bmp"), bitmap("data/island3.bmp")), 500);
}

TEST_F(GeneratedAssets, ExplosionsFlashThenBurnOut) {
    // Brightest early, darker and thinner by the last frame.
    auto heat = [](const Image& img) {
        double sum = 0;
        int n = 0;
        for (const Rgb c : img.pixels())
            if (c != kColourKey) sum += luminance(c), ++n;
        return std::make_pair(n ? sum / n : 0.0, n);
    };
    for (const auto& [stem, frames] : std::vector<std::pair<std::string, int>>{{"bigexplosion", 7}, {"smallexplosion", 6}}) {
        SCOPED_TRACE(stem);
        const auto first = heat(bitmap("data/" + stem + "1.bmp"));
        const auto last = heat(bitmap("data/" + stem + std::to_string(frames) + ".bmp"));
        int peak = 0;
        for (int i = 1; i <= frames; ++i) peak = std::max(peak, heat(bitmap("data/" + stem + std::to_string(i) + ".bmp")).second);
        EXPECT_GT(first.first, 150.0);
        EXPECT_LT(last.first, first.first);
        EXPECT_GT(last.second, 0);
        EXPECT_LT(last.second, peak / 2);
    }
}

TEST_F(GeneratedAssets, WaterIsOpaqueAndTilesSeamlessly) {
    const Image w1 = bitmap("data/water1.bmp"), w2 = bitmap("data/water2.bmp");
    for (const Image* w : {&w1, &w2}) {
        EXPECT_EQ(opaqueBounds(*w).keyed, 0);
        // Differences across the wrap seams should look like those between any
        // two neighbouring columns or rows inside the tile.
        double inner = 0, seamX = 0, seamY = 0;
        int innerN = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x + 1 < 32; ++x) {
                inner += colourDistance(w->at(x, y), w->at(x + 1, y));
                inner += colourDistance(w->at(y, x), w->at(y, x + 1));
                innerN += 2;
            }
        for (int i = 0; i < 32; ++i) {
            seamX += colourDistance(w->at(31, i), w->at(0, i));
            seamY += colourDistance(w->at(i, 31), w->at(i, 0));
        }
        inner /= innerN;
        EXPECT_LE(seamX / 32, inner * 2 + 8);
        EXPECT_LE(seamY / 32, inner * 2 + 8);
        // Mostly blue sea.
        int blue = 0;
        for (const Rgb c : w->pixels()) blue += (c.b > c.r && c.b > c.g) ? 1 : 0;
        EXPECT_GT(blue, 32 * 32 * 9 / 10);
    }
    // Consecutive frames shift only the highlights.
    const int diff = differingPixels(w1, w2);
    EXPECT_GT(diff, 0);
    EXPECT_LT(diff, 32 * 32 / 4);
}

TEST_F(GeneratedAssets, MenuLabelsSitOnTheirLines) {
    const Image img = bitmap("data/mainmenue.bmp");
    // Leave room for the arrow on the left.
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < 16; ++x) ASSERT_TRUE(img.keyed(x, y)) << x << "," << y;
    for (int line = 0; line < 5; ++line) {
        SCOPED_TRACE(line);
        const int top = line * kMenuLineSpacing;
        int ink = 0;
        for (int y = top + 3; y <= top + 14; ++y)
            for (int x = 0; x < img.width(); ++x) ink += img.keyed(x, y) ? 0 : 1;
        EXPECT_GT(ink, 60);
        // Lines stay apart: the first row of each line's band is clear.
        for (int x = 0; x < img.width(); ++x) EXPECT_TRUE(img.keyed(x, top)) << x;
    }
}

TEST_F(GeneratedAssets, TitleReadsWhenAddedOverBlack) {
    const Image img = bitmap("data/background.bmp");
    int opaque = 0, bright = 0;
    for (const Rgb c : img.pixels()) {
        if (c == kColourKey) continue;
        ++opaque;
        bright += std::max({c.r, c.g, c.b}) >= 96 ? 1 : 0;
    }
    EXPECT_GT(opaque, 200 * 140 / 8);
    EXPECT_GT(bright, opaque * 6 / 10);
}

TEST_F(GeneratedAssets, FontCellsFollowTheLayout) {
    const Image font = bitmap("smalfont.bmp");
    ASSERT_EQ(font.width(), 160);
    ASSERT_EQ(font.height(), 80);
    const Rgb ink = colourOf('w');
    for (int code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const int cx = (code % 16) * 10, cy = (code / 16) * 10;
        int lit = 0, nonBlack = 0;
        for (int y = cy; y < cy + 10; ++y)
            for (int x = cx; x < cx + 10; ++x) {
                const Rgb c = font.at(x, y);
                EXPECT_NE(c, kColourKey);
                if (c == kFontBlack) continue;
                ++nonBlack;
                if (luminance(c) > 128) {
                    ++lit;
                    // Every light pixel is wrapped in non-black outline, so
                    // no glyph pixel ever turns transparent.
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            EXPECT_NE(font.at(x + dx, y + dy), kFontBlack) << x << "," << y;
                }
            }
        // The outer columns separate neighbouring characters.
        for (int y = cy; y < cy + 10; ++y) {
            EXPECT_EQ(font.at(cx, y), kFontBlack);
            EXPECT_EQ(font.at(cx + 9, y), kFontBlack);
        }
        if (code < 32 || code == 127 || code == ' ')
            EXPECT_EQ(nonBlack, 0);
        else
            EXPECT_GT(lit, 0);
    }
    // Cap height: 'H' ink spans seven rows starting at the cell's second row.
    int top = 99, bottom = -1;
    for (int y = 40; y < 50; ++y)
        for (int x = 80; x < 90; ++x)
            if (font.at(x, y) == ink || luminance(font.at(x, y)) > 128) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_EQ(top, 41);
    EXPECT_EQ(bottom, 47);
}

TEST(FontGlyphs, EveryPrintableCharacterHasAWellFormedGlyph) {
    std::set<std::vector<std::string>> shapes;
    for (int code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const Grid rows = glyphRows(code);
        if (code < 32 || code == 127) {
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(kGlyphHeight));
        for (auto r : rows) {
            ASSERT_EQ(r.size(), static_cast<std::size_t>(kGlyphWidth));
            EXPECT_EQ(r.find_first_not_of("#."), std::string_view::npos);
        }
        shapes.insert(std::vector<std::string>(rows.begin(), rows.end()));
    }
    EXPECT_EQ(shapes.size(), 95u) << "two characters share a glyph";
}

void checkWav(const Bytes& b, double seconds) {
    ASSERT_GE(b.size(), 44u);
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(tag(b, 8), "WAVE");
    EXPECT_EQ(tag(b, 12), "fmt ");
    EXPECT_EQ(le32(b, 16), 16u);
    EXPECT_EQ(le16(b, 20), 1u);      // PCM
    EXPECT_EQ(le16(b, 22), 1u);      // mono
    EXPECT_EQ(le32(b, 24), 22050u);  // rate
    EXPECT_EQ(le32(b, 28), 22050u * 2);
    EXPECT_EQ(le16(b, 32), 2u);
    EXPECT_EQ(le16(b, 34), 16u);
    EXPECT_EQ(tag(b, 36), "data");
    const std::uint32_t dataBytes = le32(b, 40);
    EXPECT_EQ(dataBytes, b.size() - 44);
    const double duration = dataBytes / 2 / 22050.0;
    EXPECT_NEAR(duration, seconds, seconds * 0.25);

    int peak = 0;
    std::vector<int> s;
    for (std::size_t at = 44; at + 1 < b.size(); at += 2) s.push_back(static_cast<std::int16_t>(le16(b, at)));
    for (int v : s) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 12000) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    // Starts and stops at rest: no click.
    EXPECT_LT(std::abs(s.front()), 500);
    EXPECT_LT(std::abs(s.back()), 500);
}

TEST_F(GeneratedAssets, SoundsAreShortPcmMonoClips) {
    {
        SCOPED_TRACE("shot");
        checkWav(file("data/shot.wav"), 0.12);
    }
    {
        SCOPED_TRACE("explode1");
        checkWav(file("data/explode1.wav"), 0.4);
    }
    {
        SCOPED_TRACE("explode2");
        checkWav(file("data/explode2.wav"), 1.0);
    }
}

TEST_F(GeneratedAssets, OutputIsDeterministic) {
    const auto again = buildAssets();
    ASSERT_EQ(again.size(), 37u);
    for (const auto& f : again) {
        SCOPED_TRACE(f.path);
        EXPECT_TRUE(file(f.path) == f.bytes);
    }
}

TEST(AssetWriter, ReportsUnwritableFolder) {
    std::random_device rd;
    const fs::path blocker = fs::temp_directory_path() / ("aerox_assets_blocker_" + std::to_string(rd()));
    { std::ofstream(blocker) << "not a folder"; }
    EXPECT_THROW(writeAssets(blocker / "out"), std::runtime_error);
    fs::remove(blocker);
}

TEST(BmpEncoder, StoresRowsBottomUpInBgrOrderWithPadding) {
    Image img(3, 2);
    img.set(0, 0, {1, 2, 3});
    img.set(2, 0, {4, 5, 6});
    img.set(0, 1, {7, 8, 9});
    const Bytes b = encodeBmp(img);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    // Bottom row (y = 1) comes first.
    EXPECT_EQ(b[54], 9);
    EXPECT_EQ(b[55], 8);
    EXPECT_EQ(b[56], 7);
    EXPECT_EQ(b[63], 0);  // 3 padding bytes after 9 pixel bytes
    EXPECT_EQ(b[64], 0);
    EXPECT_EQ(b[65], 0);
    EXPECT_EQ(b[66], 3);
    EXPECT_EQ(b[67], 2);
    EXPECT_EQ(b[68], 1);
    EXPECT_EQ(b[72], 6);
    EXPECT_EQ(b[74], 4);
}

TEST(WavEncoder, WritesLittleEndianSamples) {
    Sound s;
    s.samples = {1, -2, 0x1234};
    const Bytes b = encodeWav(s);
    ASSERT_EQ(b.size(), 44u + 6);
    EXPECT_EQ(le32(b, 40), 6u);
    EXPECT_EQ(b[44], 1);
    EXPECT_EQ(b[45], 0);
    EXPECT_EQ(b[46], 0xFE);
    EXPECT_EQ(b[47], 0xFF);
    EXPECT_EQ(b[48], 0x34);
    EXPECT_EQ(b[49], 0x12);
}

TEST(Palette, CodesAreUniqueAndNothingButTheKeyIsKeyColoured) {
    const auto pal = palette();
    EXPECT_GE(pal.size(), 24u);
    EXPECT_LE(pal.size(), 32u);
    std::set<char> codes;
    std::set<std::tuple<int, int, int>> colours;
    for (const auto& e : pal) {
        EXPECT_TRUE(codes.insert(e.code).second) << "duplicate code " << e.code;
        EXPECT_TRUE(colours.insert({e.colour.r, e.colour.g, e.colour.b}).second) << "duplicate colour " << e.name;
        EXPECT_EQ(e.colour == kColourKey, e.code == '.') << e.name;
        EXPECT_NE(e.colour, kFontBlack) << e.name;
    }
    EXPECT_THROW(colourOf('?'), std::invalid_argument);
}

TEST(Grids, MirroringAndValidation) {
    const Grid half = {"ab", "cd"};
    EXPECT_EQ(mirrorHalf(half, true), (std::vector<std::string>{"aba", "cdc"}));
    EXPECT_EQ(mirrorHalf(half, false), (std::vector<std::string>{"abba", "cddc"}));
    EXPECT_THROW(validateGrid({"kk", "k"}), std::invalid_argument);
    EXPECT_THROW(validateGrid({"k?"}), std::invalid_argument);
    EXPECT_NO_THROW(validateGrid({".k", "wG"}));

    Image img(3, 1);
    stampGrid(img, {".w"}, 1, 0);
    EXPECT_TRUE(img.keyed(1, 0));  // key pixels in a stamp leave the picture alone
    EXPECT_EQ(img.at(2, 0), colourOf('w'));
}

}  // namespace
