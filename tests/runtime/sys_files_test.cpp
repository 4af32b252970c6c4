// Files and system folders by UTF-8 name, on whichever platform the tests
// were built for: a folder named with accents and CJK characters works, the
// program and temporary folders are real ones.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/program_path.h"
#include "runtime/sys_files.h"
#include "runtime/temp_dir.h"
#include "testkit/testkit.h"

namespace {

namespace fs = std::filesystem;

// The UTF-8 bytes of a path made through std::filesystem (which knows the
// platform's own encoding): an oracle independent of the engine's twins.
std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TEST(SysFiles, NonAsciiNamesOpenReadAndRemove) {
    testkit::TempFolder temp;
    const fs::path folder = fs::path(temp.path()) / fs::path(u8"Aérœx 試験");
    fs::create_directories(folder);
    const fs::path made = folder / fs::path(u8"données.bin");
    {
        std::ofstream out(made, std::ios::binary);
        out << "sea";
    }
    const std::string name = Utf8(made);

    EXPECT_TRUE(IsReadableFile(name));
    EXPECT_FALSE(IsReadableFile(Utf8(folder))) << "a folder is not a plain file";
    EXPECT_FALSE(IsReadableFile(Utf8(folder / "missing.bin")));
    EXPECT_TRUE(PathExists(name));
    EXPECT_TRUE(PathExists(Utf8(folder))) << "a folder stands there too";
    EXPECT_FALSE(PathExists(Utf8(folder / "missing.bin")));
    std::FILE* in = OpenFile(name, "rb");
    ASSERT_NE(nullptr, in);
    char text[8] = {};
    EXPECT_EQ(3u, std::fread(text, 1, sizeof text, in));
    int64_t size = -1;
    EXPECT_TRUE(OpenFileSize(in, size));
    EXPECT_EQ(3, size);
    std::fclose(in);
    EXPECT_STREQ("sea", text);

    // Written through the engine, seen under the same name by the system.
    const std::string written = Utf8(folder / fs::path(u8"écrit.txt"));
    std::FILE* out = OpenFile(written, "wb");
    ASSERT_NE(nullptr, out);
    std::fputs("island", out);
    std::fclose(out);
    EXPECT_EQ(6u, fs::file_size(folder / fs::path(u8"écrit.txt")));

    EXPECT_TRUE(RemoveFile(name));
    EXPECT_FALSE(fs::exists(made));
    EXPECT_FALSE(RemoveFile(name));
    // Bytes that are not UTF-8 name nothing, and do not crash.
    EXPECT_FALSE(IsReadableFile(std::string("\xff\xfe", 2)));
    EXPECT_EQ(nullptr, OpenFile(std::string("\xff\xfe", 2), "rb"));
}

TEST(SysFiles, ProgramAndTemporaryFoldersAreRealOnes) {
    const std::string name = ProgramPath();
    const fs::path program(std::u8string(name.begin(), name.end()));
    EXPECT_TRUE(fs::is_regular_file(program)) << name;
    EXPECT_EQ(0u, program.filename().string().find("aerox_runtime_tests")) << name;
    const std::string temp = TempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(temp.back() == '/' || temp.back() == '\\') << temp;
    EXPECT_TRUE(fs::is_directory(fs::path(std::u8string(temp.begin(), temp.end())))) << temp;
}

}  // namespace
