// The seed files of the decoder and archive fuzz targets, made by the same
// builders as the tests. Each seed must be accepted; with
// AEROX_WRITE_FUZZ_SEEDS=1 they are (re)written into fuzz/corpus/.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "gfx/archive.h"
#include "gfx/image.h"
#include "testkit/gfx_files.h"
#include "testkit/testkit.h"

using testkit::Picture;
using testkit::PngKind;

namespace {

using Seeds = std::vector<std::pair<std::string, std::string>>;

Picture SeedPicture(int w, int h) {
    Picture p(w, h, 0x336699FF);
    p.Set(0, 0, 0xFF0080FF);
    p.Set(w - 1, h - 1, 0x10203040);
    return p;
}

Seeds BmpSeeds() {
    return {{"bmp8", testkit::BmpBytes(SeedPicture(5, 3), 8)},
            {"bmp24", testkit::BmpBytes(SeedPicture(3, 2), 24)},
            {"bmp32_topdown", testkit::BmpBytes(SeedPicture(4, 4), 32, true)}};
}

Seeds PngSeeds() {
    return {{"rgba", testkit::PngBytes(SeedPicture(4, 3), PngKind::Rgba)},
            {"rgb", testkit::PngBytes(SeedPicture(3, 3), PngKind::Rgb)},
            {"palette_trns", testkit::PngBytes(SeedPicture(4, 2), PngKind::PaletteWithTransparency)},
            {"grey1", testkit::PngBytes(SeedPicture(9, 2), PngKind::Grey1Bit)},
            {"rgb16", testkit::PngBytes(SeedPicture(2, 2), PngKind::Rgb16Bit)}};
}

Seeds ArchiveSeeds() {
    return {{"two_entries", testkit::ArchiveBytes({{"shot.bmp", testkit::BmpBytes(SeedPicture(3, 2), 24)},
                                                   {"a", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"}})},
            {"negative_position", testkit::ArchiveBytes({{"b.wav", "RIFF....WAVE"}}, true)}};
}

void WriteSeeds(const std::string& name, const Seeds& seeds) {
    const char* write = std::getenv("AEROX_WRITE_FUZZ_SEEDS");
    const char* source = std::getenv("AEROX_SOURCE_DIR");
    if (write == nullptr || std::string(write) != "1" || source == nullptr) return;
    const std::string folder = std::string(source) + "/fuzz/corpus/" + name;
    mkdir((std::string(source) + "/fuzz/corpus").c_str(), 0755);
    mkdir(folder.c_str(), 0755);
    for (const auto& [file, bytes] : seeds) testkit::WriteFile(folder + "/" + file, bytes);
}

}  // namespace

TEST(FuzzSeeds, EverySeedIsAValidInput) {
    for (const auto& [name, bytes] : BmpSeeds()) {
        RgbaImage image;
        EXPECT_TRUE(ReadBmpMemory(image, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0)) << name;
    }
    for (const auto& [name, bytes] : PngSeeds()) {
        RgbaImage image;
        EXPECT_TRUE(ReadPngMemory(image, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0)) << name;
    }
    testkit::TempFolder folder;
    for (const auto& [name, bytes] : ArchiveSeeds()) {
        testkit::WriteFile(folder.File(name), bytes);
        ArchiveEntry entry;
        const char* wanted = name == "two_entries" ? "shot.bmp" : "b.wav";
        EXPECT_EQ(ExtractArchiveEntry(folder.File(name), wanted, entry), ArchiveResult::Found) << name;
    }
    WriteSeeds("bmp", BmpSeeds());
    WriteSeeds("png", PngSeeds());
    WriteSeeds("archive", ArchiveSeeds());
}
