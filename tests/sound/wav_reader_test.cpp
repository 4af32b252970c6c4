// The WAV reader: the fixed header layout, "fact" and "data", and files
// whose header or size cannot be right.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include <sys/stat.h>

#include "sound/wav_reader.h"
#include "testkit/testkit.h"
#include "wav_builder.h"

using wavtest::BuildWav;
using wavtest::WavLayout;

namespace {

bool Read(const std::string& bytes, WavSound& out) {
    return ReadWavMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}
bool Reads(const std::string& bytes) {
    WavSound out;
    return Read(bytes, out);
}

}  // namespace

TEST(WavReader, ReadsMono16AndStereo8WithTheirSamples) {
    const std::string mono = wavtest::Sine16(100, 1, 440, 22050);
    WavSound out;
    ASSERT_TRUE(Read(BuildWav(WavLayout{}, mono), out));
    EXPECT_EQ(out.channels, 1);
    EXPECT_EQ(out.sampleRate, 22050);
    EXPECT_EQ(out.bitsPerSample, 16);
    EXPECT_EQ(out.blockAlign, 2);
    EXPECT_EQ(std::string(out.data.begin(), out.data.end()), mono);

    WavLayout stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    stereo8.sampleRate = 11025;
    const std::string samples = wavtest::Sine8(50, 2, 300, 11025);
    ASSERT_TRUE(Read(BuildWav(stereo8, samples), out));
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.sampleRate, 11025);
    EXPECT_EQ(out.bitsPerSample, 8);
    EXPECT_EQ(out.blockAlign, 2);
    EXPECT_EQ(out.data.size(), 100u);
}

TEST(WavReader, FactChunkIsSkippedAndAnyOtherChunkFails) {
    const std::string samples = wavtest::Sine16(10, 1, 440, 22050);
    WavLayout fact;
    fact.factChunk = true;
    EXPECT_TRUE(Reads(BuildWav(fact, samples)));

    WavLayout list;
    list.dataTag = "LIST";
    EXPECT_FALSE(Reads(BuildWav(list, samples)));
    // Tags compare exactly.
    list.dataTag = "DATA";
    EXPECT_FALSE(Reads(BuildWav(list, samples)));
    // "fact" followed by something other than "data".
    fact.dataTag = "junk";
    EXPECT_FALSE(Reads(BuildWav(fact, samples)));
}

TEST(WavReader, EighteenByteFormatChunkSkipsFourteenBytes) {
    // 36 bytes, then 14 skipped: the 2-byte extension size and a 12-byte
    // "fact" chunk. The data chunk header must sit right there.
    const std::string samples = wavtest::Sine16(10, 1, 440, 22050);
    WavLayout withFact;
    withFact.formatSize = 18;
    withFact.factChunk = true;
    WavSound out;
    ASSERT_TRUE(Read(BuildWav(withFact, samples), out));
    EXPECT_EQ(std::string(out.data.begin(), out.data.end()), samples);

    // Without the "fact" chunk the skip lands inside the samples.
    WavLayout plain;
    plain.formatSize = 18;
    EXPECT_FALSE(Reads(BuildWav(plain, samples)));
}

TEST(WavReader, TwentyFourBitSamplesAreReadAsStored) {
    WavLayout stereo24;
    stereo24.channels = 2;
    stereo24.bits = 24;
    const std::string samples = wavtest::Sine24(30, 2, 440, 22050);
    WavSound out;
    ASSERT_TRUE(Read(BuildWav(stereo24, samples), out));
    EXPECT_EQ(out.bitsPerSample, 24);
    EXPECT_EQ(out.blockAlign, 6);
    EXPECT_EQ(std::string(out.data.begin(), out.data.end()), samples);

    // The extensible format most tools write 24-bit files in: PCM is read
    // the same, floating point is refused.
    stereo24.formatSize = 40;
    ASSERT_TRUE(Read(BuildWav(stereo24, samples), out));
    EXPECT_EQ(out.bitsPerSample, 24);
    EXPECT_EQ(std::string(out.data.begin(), out.data.end()), samples);
    stereo24.factChunk = true;
    EXPECT_TRUE(Reads(BuildWav(stereo24, samples)));
    stereo24.subFormat = 3;
    EXPECT_FALSE(Reads(BuildWav(stereo24, samples)));
}

TEST(WavReader, MoreThanTwoChannelsLoadWithTheirOwnBlockAlignment) {
    WavLayout four;
    four.channels = 4;
    WavSound out;
    ASSERT_TRUE(Read(BuildWav(four, wavtest::Sine16(10, 4, 440, 22050)), out));
    EXPECT_EQ(out.channels, 4);
    EXPECT_EQ(out.blockAlign, 8);
}

TEST(WavReader, ShortOrOversizedDataFails) {
    const std::string samples = wavtest::Sine16(100, 1, 440, 22050);
    WavLayout layout;
    layout.declaredDataSize = static_cast<int64_t>(samples.size()) + 1;
    EXPECT_FALSE(Reads(BuildWav(layout, samples)));
    layout.declaredDataSize = 0xFFFFFFFFll;
    EXPECT_FALSE(Reads(BuildWav(layout, samples)));
    layout.declaredDataSize = 0;
    EXPECT_FALSE(Reads(BuildWav(layout, samples)));
    // Declared above 64 MiB: refused before anything is allocated, even when
    // the bytes would be there.
    layout.declaredDataSize = int64_t{kMaxWavDataBytes} + 2;
    EXPECT_FALSE(Reads(BuildWav(layout, samples)));
    // A declared size below what follows is fine: the rest is ignored.
    layout.declaredDataSize = 20;
    WavSound out;
    ASSERT_TRUE(Read(BuildWav(layout, samples), out));
    EXPECT_EQ(out.data.size(), 20u);
}

TEST(WavReader, TruncatedFilesFail) {
    const std::string whole = BuildWav(WavLayout{}, wavtest::Sine16(10, 1, 440, 22050));
    for (size_t n : {size_t{0}, size_t{1}, size_t{35}, size_t{36}, size_t{43}})
        EXPECT_FALSE(Reads(whole.substr(0, n))) << n;
    EXPECT_FALSE(ReadWavMemory(nullptr, 100, *std::make_unique<WavSound>()));
}

TEST(WavReader, AbsurdHeaderValuesFail) {
    const std::string samples(64, '\x10');
    auto reads = [&](WavLayout w) { return Reads(BuildWav(w, samples)); };
    WavLayout w;
    w.channels = 0;
    EXPECT_FALSE(reads(w));
    w.channels = 64;
    EXPECT_FALSE(reads(w));
    w = {};
    w.bits = 0;
    EXPECT_FALSE(reads(w));
    w.bits = 3;
    EXPECT_FALSE(reads(w));
    w.bits = 12;
    EXPECT_FALSE(reads(w));
    w = {};
    w.sampleRate = 0;
    EXPECT_FALSE(reads(w));
    w.sampleRate = 0xFFFFFFFF;
    EXPECT_FALSE(reads(w));
    w = {};
    w.blockAlign = 0;
    EXPECT_FALSE(reads(w));
    w.blockAlign = 3;  // not channels * bytes per sample
    EXPECT_FALSE(reads(w));
    w = {};
    EXPECT_TRUE(reads(w));
}

TEST(WavReader, ReadsFilesAndFailsOnMissingOnes) {
    testkit::TempFolder folder;
    const std::string samples = wavtest::Sine16(10, 2, 440, 22050);
    WavLayout stereo;
    stereo.channels = 2;
    testkit::WriteFile(folder.File("s.wav"), BuildWav(stereo, samples));
    WavSound out;
    ASSERT_TRUE(ReadWavFile(folder.File("s.wav"), out));
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(std::string(out.data.begin(), out.data.end()), samples);

    stereo.declaredDataSize = 1000;
    testkit::WriteFile(folder.File("short.wav"), BuildWav(stereo, samples));
    EXPECT_FALSE(ReadWavFile(folder.File("short.wav"), out));
    EXPECT_FALSE(ReadWavFile(folder.File("missing.wav"), out));
    EXPECT_FALSE(ReadWavFile(folder.path(), out));
    EXPECT_FALSE(ReadWavFile("", out));
}

TEST(WavReader, PipesAndDevicesAreNotRead) {
    testkit::TempFolder folder;
    WavSound out;
    // A pipe with no writer would block an open for reading.
    ASSERT_EQ(mkfifo(folder.File("pipe.wav").c_str(), 0600), 0);
    EXPECT_FALSE(ReadWavFile(folder.File("pipe.wav"), out));
    EXPECT_FALSE(ReadWavFile("/dev/zero", out));
}

// The fuzzer's seed files are made here. With AEROX_WRITE_WAV_CORPUS set to
// a folder they are written there; otherwise the committed ones must match.
TEST(WavReader, FuzzSeedsMatchTheGenerator) {
    std::map<std::string, std::string> seeds;
    seeds["mono16.wav"] = BuildWav(WavLayout{}, wavtest::Sine16(64, 1, 440, 22050));
    WavLayout stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    stereo8.sampleRate = 8000;
    seeds["stereo8.wav"] = BuildWav(stereo8, wavtest::Sine8(64, 2, 300, 8000));
    WavLayout fact18;
    fact18.formatSize = 18;
    fact18.factChunk = true;
    fact18.sampleRate = 44100;
    seeds["fmt18_fact.wav"] = BuildWav(fact18, wavtest::Sine16(64, 1, 440, 44100));
    WavLayout quad;
    quad.channels = 4;
    seeds["quad16.wav"] = BuildWav(quad, wavtest::Sine16(32, 4, 440, 22050));
    WavLayout wide;
    wide.bits = 32;
    wide.channels = 2;
    wide.sampleRate = 48000;
    seeds["stereo32.wav"] = BuildWav(wide, std::string(256, '\x01'));
    WavLayout deep;
    deep.bits = 24;
    deep.sampleRate = 44100;
    seeds["mono24.wav"] = BuildWav(deep, wavtest::Sine24(64, 1, 440, 44100));

    if (const char* out = std::getenv("AEROX_WRITE_WAV_CORPUS")) {
        std::filesystem::create_directories(out);
        for (const auto& [name, bytes] : seeds) testkit::WriteFile(std::string(out) + "/" + name, bytes);
        GTEST_SKIP() << "seed files written to " << out;
    }
    const char* env = std::getenv("AEROX_SOURCE_DIR");
    const std::string source =
        env != nullptr ? env : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
    for (const auto& [name, bytes] : seeds) {
        const std::string path = source + "/fuzz/corpus/wav/" + name;
        EXPECT_EQ(testkit::ReadFile(path), bytes) << path;
        WavSound sound;
        EXPECT_TRUE(Read(bytes, sound)) << name;
    }
}
