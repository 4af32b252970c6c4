// Decoding BMP and PNG files into RGBA pictures, and laying them out as
// textures: the formats, the colour key and hostile files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "gfx/image.h"
#include "gfx/texture.h"
#include "testkit/gfx_files.h"
#include "testkit/testkit.h"

using testkit::Picture;
using testkit::PngKind;

namespace {

uint32_t PixelOf(const RgbaImage& image, int x, int y) {
    const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

bool DecodeBmp(const std::string& bytes, RgbaImage& image, uint32_t key = kSpriteColourKey) {
    return ReadBmpMemory(image, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), key);
}
bool DecodePng(const std::string& bytes, RgbaImage& image, uint32_t key = kSpriteColourKey) {
    return ReadPngMemory(image, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), key);
}

// A 3 x 2 picture with distinct corners and the key colour in the middle.
Picture Sample() {
    Picture p(3, 2, 0x102030FF);
    p.Set(0, 0, 0xFF0000FF);
    p.Set(2, 0, 0x00FF00FF);
    p.Set(0, 1, 0x0000FFFF);
    p.Set(1, 1, 0xFF0080FF);  // red 255, green 0, blue 128: the sprite key
    p.Set(2, 1, 0xFF007FFF);  // one blue step off: opaque
    return p;
}

}  // namespace

TEST(BmpDecoding, EveryDepthGivesThePictureUprightWithTheKeyTransparent) {
    for (int bits : {8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            RgbaImage image;
            ASSERT_TRUE(DecodeBmp(testkit::BmpBytes(Sample(), bits, topDown), image));
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 2);
            EXPECT_EQ(PixelOf(image, 0, 0), 0xFF0000FFu);
            EXPECT_EQ(PixelOf(image, 1, 0), 0x102030FFu);
            EXPECT_EQ(PixelOf(image, 2, 0), 0x00FF00FFu);
            EXPECT_EQ(PixelOf(image, 0, 1), 0x0000FFFFu);
            EXPECT_EQ(PixelOf(image, 1, 1), 0x00000000u);
            EXPECT_EQ(PixelOf(image, 2, 1), 0xFF007FFFu);
        }
    }
}

TEST(BmpDecoding, TheFourthByteOfA32BitPixelIsNotAlpha) {
    Picture p = Sample();
    p.Set(1, 0, 0x10203000);  // fourth byte 0
    p.Set(0, 1, 0x0000FF7F);
    p.Set(1, 1, 0xFF008000);  // the key, fourth byte 0
    RgbaImage image;
    ASSERT_TRUE(DecodeBmp(testkit::BmpBytes(p, 32), image));
    EXPECT_EQ(PixelOf(image, 1, 0), 0x102030FFu);
    EXPECT_EQ(PixelOf(image, 0, 1), 0x0000FFFFu);
    EXPECT_EQ(PixelOf(image, 1, 1), 0x00000000u) << "the key still applies";
}

TEST(BmpDecoding, RowStridesArePaddedToFourBytes) {
    // 3 pixels of 24 bits and of 32 bits both take 12 bytes a row: a file
    // holding exactly that much data decodes, one byte less does not.
    for (int bits : {24, 32}) {
        const std::string bytes = testkit::BmpBytes(Sample(), bits);
        ASSERT_EQ(bytes.size(), 54u + 2 * 12);
        RgbaImage image;
        EXPECT_TRUE(DecodeBmp(bytes, image));
        EXPECT_FALSE(DecodeBmp(bytes.substr(0, bytes.size() - 1), image));
    }
}

TEST(BmpDecoding, NoKeyKeepsEveryPixelOpaque) {
    RgbaImage image;
    ASSERT_TRUE(DecodeBmp(testkit::BmpBytes(Sample(), 24), image, kNoColourKey));
    EXPECT_EQ(PixelOf(image, 1, 1), 0xFF0080FFu);
    ASSERT_TRUE(DecodeBmp(testkit::BmpBytes(Picture(2, 2, 0x000000FF), 24), image, 0));
    EXPECT_EQ(PixelOf(image, 0, 0), 0u) << "key 0 makes black transparent (fonts)";
}

TEST(BmpDecoding, HostileAndUnsupportedFilesAreRefused) {
    const std::string good = testkit::BmpBytes(Sample(), 24);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"16 bits", testkit::BmpHeader(2, 2, 16, 54, 8)},
        {"1 bit", testkit::BmpHeader(2, 2, 1, 62, 8)},
        {"zero width", testkit::BmpHeader(0, 2, 24, 54, 16)},
        {"zero height", testkit::BmpHeader(2, 0, 24, 54, 16)},
        {"negative width", testkit::BmpHeader(-2, 2, 24, 54, 16)},
        {"most negative height", testkit::BmpHeader(2, INT32_MIN, 24, 54, 16)},
        {"side above 16384", testkit::BmpHeader(16385, 1, 24, 54, 0)},
        {"more than 64 Mi pixels", testkit::BmpHeader(16384, 16384, 8, 54, 0)},
        {"enormous, claiming data", testkit::BmpHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, 54, 64)},
        {"offset inside the headers", testkit::BmpHeader(1, 1, 24, 20, 64)},
        {"offset beyond the file", testkit::BmpHeader(1, 1, 24, 5000, 0)},
        {"truncated headers", good.substr(0, 30)},
        {"truncated pixels", good.substr(0, good.size() - 5)},
        {"not a bitmap", "PM" + good.substr(2)},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        RgbaImage image;
        EXPECT_FALSE(DecodeBmp(c.bytes, image)) << c.what;
        EXPECT_EQ(image.width, 0) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
    }
}

TEST(BmpDecoding, PaletteIndicesBeyondThePaletteReadAsBlack) {
    // One palette entry (white) but pixels indexing entry 200.
    std::string bytes = testkit::BmpHeader(4, 1, 8, 58, 4);
    bytes[54] = bytes[55] = bytes[56] = static_cast<char>(255);
    bytes[58] = 0;
    bytes[59] = static_cast<char>(200);
    RgbaImage image;
    ASSERT_TRUE(DecodeBmp(bytes, image, kNoColourKey));
    EXPECT_EQ(PixelOf(image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelOf(image, 1, 0), 0x000000FFu);
}

TEST(BmpDecoding, FileReaderMatchesTheMemoryReader) {
    testkit::TempFolder folder;
    const std::string path = folder.File("sample.bmp");
    testkit::WriteFile(path, testkit::BmpBytes(Sample(), 32));
    RgbaImage fromFile, fromMemory;
    ASSERT_TRUE(ReadBmp(fromFile, path, kSpriteColourKey));
    ASSERT_TRUE(DecodeBmp(testkit::ReadFile(path), fromMemory));
    EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
    testkit::WriteFile(path, testkit::BmpHeader(1, 1, 24, 200000, 0));
    EXPECT_FALSE(ReadBmp(fromFile, path, kSpriteColourKey));
    EXPECT_FALSE(ReadBmp(fromFile, folder.File("missing.bmp"), kSpriteColourKey));
}

// A pixel-data offset far beyond the headers, in a huge sparse file (4 GiB
// long, a few bytes on disk), is sought past: the picture and its palette
// come out as from the compact file, without reading or holding the gap.
TEST(BmpDecoding, FarDataOffsetInAHugeFileIsSoughtPast) {
    testkit::TempFolder folder;
    const std::string compact = testkit::BmpBytes(Sample(), 8);
    const uint32_t dataAt = static_cast<uint8_t>(compact[10]) | static_cast<uint32_t>(static_cast<uint8_t>(compact[11])) << 8;
    RgbaImage expected;
    ASSERT_TRUE(DecodeBmp(compact, expected));

    constexpr uint32_t kFarOffset = 0xFFFFFF00u;
    std::string head = compact.substr(0, dataAt);
    for (int i = 0; i < 4; ++i) head[10 + i] = static_cast<char>((kFarOffset >> (8 * i)) & 0xff);
    const std::string path = folder.File("far.bmp");
    testkit::WriteFile(path, head);
    std::error_code resized;
    std::filesystem::resize_file(path, kFarOffset, resized);
    ASSERT_FALSE(resized) << resized.message();
    {
        std::FILE* f = std::fopen(path.c_str(), "ab");
        ASSERT_NE(f, nullptr);
        std::fwrite(compact.data() + dataAt, 1, compact.size() - dataAt, f);
        std::fclose(f);
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    RgbaImage image;
    ASSERT_TRUE(ReadBmp(image, path, kSpriteColourKey));
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(image.width, expected.width);
    EXPECT_EQ(image.pixels, expected.pixels);
#if !defined(__SANITIZE_ADDRESS__)
    // (Under AddressSanitizer the peak resident size also counts the
    // sanitizer's own mappings, so the check means nothing there.)
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256L * 1024) << "peak memory grew by KiB";
#endif
}

TEST(PngDecoding, ChannelsAndDepthsFollowTheRules) {
    Picture p(3, 2, 0x808080C8);  // alpha 200
    p.Set(0, 0, 0xFF0080FF);      // the key colour, opaque
    p.Set(1, 0, 0x00000000);      // fully transparent
    RgbaImage image;

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::Rgba), image));
    EXPECT_EQ(PixelOf(image, 0, 0), 0xFF0080FFu) << "an alpha channel ignores the key";
    EXPECT_EQ(PixelOf(image, 2, 1), 0x808080C8u);

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::Rgb), image));
    EXPECT_EQ(PixelOf(image, 0, 0), 0u) << "RGB pictures take the key";
    EXPECT_EQ(PixelOf(image, 2, 1), 0x808080FFu);

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::PaletteWithTransparency), image));
    EXPECT_EQ(PixelOf(image, 1, 0), 0x00000000u);
    EXPECT_EQ(PixelOf(image, 2, 1), 0x808080C8u) << "alpha from the transparency chunk";

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::Grey), image));
    EXPECT_EQ(PixelOf(image, 2, 1), 0x808080FFu);

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::Grey1Bit), image));
    EXPECT_EQ(PixelOf(image, 0, 0), 0xFFFFFFFFu) << "1-bit grey expands to 8 bits";
    EXPECT_EQ(PixelOf(image, 1, 0), 0x000000FFu);

    ASSERT_TRUE(DecodePng(testkit::PngBytes(p, PngKind::Rgb16Bit), image));
    EXPECT_EQ(PixelOf(image, 2, 1), 0x808080FFu) << "16-bit samples are stripped";
}

TEST(PngDecoding, GreyWithAlphaIsRefusedSilently) {
    Picture p(2, 2, 0x808080FF);
    RgbaImage image;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(DecodePng(testkit::PngBytes(p, PngKind::GreyAlpha), image));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(PngDecoding, DamagedAndTruncatedStreamsFailWithoutNoise) {
    Picture p(40, 30, 0x336699FF);
    for (int i = 0; i < 40; ++i) p.Set(i, i % 30, static_cast<uint32_t>(i * 0x01020300u) | 0xFF);
    const std::string good = testkit::PngBytes(p, PngKind::Rgb);
    RgbaImage image;
    ASSERT_TRUE(DecodePng(good, image));

    const size_t idat = good.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    std::string damaged = good;
    damaged[idat + 10] = static_cast<char>(damaged[idat + 10] ^ 0x55);  // the CRC no longer matches
    std::string badSize = good;
    badSize[16] = static_cast<char>(0x7F);  // width far above 16384
    testing::internal::CaptureStderr();
    for (const std::string& bytes : {damaged, good.substr(0, idat + 20), good.substr(0, 20), badSize,
                                     std::string("\x89PNG\r\n\x1a\n")}) {
        RgbaImage out;
        EXPECT_FALSE(DecodePng(bytes, out));
        EXPECT_TRUE(out.pixels.empty());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "libpng must print nothing";
}

// A header that claims far more pixels than the bytes behind it could
// hold (8192x8192 from a few hundred bytes) is refused up front, before a
// buffer of that size is asked for; the same picture at its true size reads.
TEST(PngDecoding, APictureLargerThanItsDataCouldHoldIsRefused) {
    Picture p(64, 64, 0x336699FF);
    std::string bytes = testkit::PngBytes(p, PngKind::Rgb);
    RgbaImage image;
    ASSERT_TRUE(DecodePng(bytes, image));
    for (const int at : {16, 20}) {  // width, then height: big-endian 8192
        bytes[at] = 0;
        bytes[at + 1] = 0;
        bytes[at + 2] = 0x20;
        bytes[at + 3] = 0;
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + 12), 17);  // "IHDR" and its data
    for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodePng(bytes, image));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(PngDecoding, FileReaderDecodesWhatTheContentSays) {
    testkit::TempFolder folder;
    const std::string path = folder.File("picture.bmp");  // a PNG despite the name
    testkit::WriteFile(path, testkit::PngBytes(Picture(5, 4, 0x11223344), PngKind::Rgba));
    RgbaImage image;
    EXPECT_FALSE(ReadBmp(image, path, kSpriteColourKey));
    ASSERT_TRUE(ReadImage(image, path, kSpriteColourKey));
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(PixelOf(image, 4, 3), 0x11223344u);
}

TEST(TextureLayout, SidesArePowersOfTwoOfAtLeastTwo) {
    EXPECT_EQ(TextureSideFor(20), 32);
    EXPECT_EQ(TextureSideFor(10), 16);
    EXPECT_EQ(TextureSideFor(1), 2);
    EXPECT_EQ(TextureSideFor(2), 2);
    EXPECT_EQ(TextureSideFor(64), 64);
    EXPECT_EQ(TextureSideFor(65), 128);
}

TEST(TextureLayout, RegionIsStoredUpsideDown) {
    RgbaImage image;
    image.width = 3;
    image.height = 2;
    image.pixels = {1, 0, 0, 255, 2, 0, 0, 255, 3, 0, 0, 255, 4, 0, 0, 255, 5, 0, 0, 255, 6, 0, 0, 255};
    const std::vector<uint8_t> t = LayOutTexture(image, 0, 0, 3, 2, 4, 2);
    // Texture row 0 is the image's bottom row; column 3 stays transparent.
    const std::vector<uint8_t> expected = {4, 0, 0, 255, 5, 0, 0, 255, 6, 0, 0, 255, 0, 0, 0, 0,
                                           1, 0, 0, 255, 2, 0, 0, 255, 3, 0, 0, 255, 0, 0, 0, 0};
    EXPECT_EQ(t, expected);
}

TEST(TextureLayout, TransparentTexelsTakeTheirOpaqueNeighboursColour) {
    const int w = 4, h = 4;
    std::vector<uint8_t> t(w * h * 4, 0);
    const auto at = [&](int x, int y) { return t.data() + (y * w + x) * 4; };
    uint8_t* red = at(1, 1);
    red[0] = 255;
    red[3] = 255;
    uint8_t* blue = at(2, 1);
    blue[2] = 255;
    blue[3] = 255;
    at(0, 0)[0] = 99;  // an opaque-less border texel: ignored, and reset
    BleedEdges(t, w, h);
    const uint8_t* between = at(1, 2);  // below red, diagonal to blue
    EXPECT_EQ(between[0], 127);
    EXPECT_EQ(between[1], 0);
    EXPECT_EQ(between[2], 127);
    EXPECT_EQ(between[3], 0);
    EXPECT_EQ(at(3, 2)[2], 255) << "only blue is next to (3, 2)";
    EXPECT_EQ(at(3, 2)[0], 0);
    EXPECT_EQ(at(3, 3)[2], 0) << "no opaque texel inside the border next to (3, 3)";
    EXPECT_EQ(at(0, 0)[0], 255) << "only red is next to (0, 0)";
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(blue[2], 255);

    // Opaque texels on the texture's border are not counted as neighbours.
    std::vector<uint8_t> edge(4 * 4 * 4, 0);
    edge[3] = 255;  // texel (0, 0)
    edge[0] = 200;
    BleedEdges(edge, 4, 4);
    EXPECT_EQ(edge[(1 * 4 + 1) * 4], 0);
}

TEST(TextureLayout, MipLevelsHalveDownToOne) {
    std::vector<uint8_t> level(8 * 2 * 4, 100);
    std::vector<uint8_t> next = NextMipLevel(level, 8, 2);
    EXPECT_EQ(next.size(), 4u * 1 * 4);
    EXPECT_EQ(next[0], 100);
    next = NextMipLevel(next, 4, 1);
    EXPECT_EQ(next.size(), 2u * 1 * 4);
}
