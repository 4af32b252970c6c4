// The Windows SDK zip, as a game maker gets it: unpacked into a fresh
// folder, examples/hello copied into another, configured and built with
// mingw-w64 through the zip's own toolchain file and the unpacked kit as
// the only prefix, then hello.exe run under Wine to its first frame. The
// zip comes from AEROX_WINDOWS_SDK_ZIP; Wine's prefix, server and X server
// are the caller's, as for the game's zip (scripts/test-windows).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "testkit/e2e_process.h"
#include "testkit/running_program.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

namespace fs = std::filesystem;
using testkit::Shot;

using Ran = testkit::ShellRun;
using testkit::ShellQuoted;

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

// hello's first frame: its 256x192 screen at a whole scale, "HELLO" in
// bright text at (8, 8) (48 pixels of the font at scale 1; half of them
// will do) over the dark blue it clears to, nothing bright beside it.
bool Bright(int r, int g, int b) { return r + g + b > 400; }
bool DarkBlue(int r, int g, int b) { return b > r + 16 && b > g + 16 && r + g + b < 200; }
int ScaleOf(const Shot& s) { return s.width % 256 == 0 && s.width / 256 * 192 == s.height ? s.width / 256 : 0; }
bool ShowsHello(const Shot& s) {
    const int k = ScaleOf(s);
    return k > 0 && s.Count(0, 0, s.width, s.height, DarkBlue) > s.width * s.height / 2 &&
           s.Count(8 * k, 8 * k, 48 * k, 16 * k, Bright) >= 24 * k * k &&
           s.Count(56 * k, 8 * k, 120 * k, 16 * k, Bright) == 0;
}

// The zip unpacked (into a folder whose name has a space) and hello built
// against it, once for the tests below.
class WindowsSdk : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* zip = std::getenv("AEROX_WINDOWS_SDK_ZIP");
        const char* source = std::getenv("AEROX_SOURCE_DIR");
        if (zip == nullptr || zip[0] == '\0' || source == nullptr) {
            problem = "AEROX_WINDOWS_SDK_ZIP names no zip (scripts/test-windows sets it)";
            return;
        }
        kitFolder = new testkit::TempFolder;
        gameFolder = new testkit::TempFolder;
        const std::string unpacked = kitFolder->path() + "/Aerox SDK";
        Ran ran = testkit::RunShell("unzip -q " + ShellQuoted(zip) + " -d " + ShellQuoted(unpacked), 60);
        if (ran.code != 0) {
            problem = "unzip: " + ran.output;
            return;
        }
        for (const auto& entry : fs::directory_iterator(unpacked))
            if (entry.is_directory()) kit = entry.path().string();
        const std::string hello = gameFolder->path() + "/hello";
        std::error_code error;
        fs::copy(std::string(source) + "/examples/hello", hello, fs::copy_options::recursive, error);
        build = gameFolder->path() + "/build";
        // What the kit's README tells a game maker to type, and nothing else.
        built = testkit::RunShell(
            "cmake -S " + ShellQuoted(hello) + " -B " + ShellQuoted(build) + " -G Ninja -DCMAKE_BUILD_TYPE=Release" +
                " -DCMAKE_TOOLCHAIN_FILE=" + ShellQuoted(kit + "/mingw-w64.cmake") +
                " -DCMAKE_PREFIX_PATH=" + ShellQuoted(kit) + " && cmake --build " + ShellQuoted(build),
            300);
    }
    static void TearDownTestSuite() {
        delete kitFolder;
        delete gameFolder;
        kitFolder = gameFolder = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "no X server";
        ASSERT_TRUE(problem.empty()) << problem;
        ASSERT_FALSE(kit.empty()) << "no folder in the zip";
        ASSERT_EQ(0, built.code) << built.output;
    }

    static inline testkit::TempFolder* kitFolder = nullptr;
    static inline testkit::TempFolder* gameFolder = nullptr;
    static inline std::string problem, kit, build;
    static inline Ran built;
};

// Everything the configure found, and every library the link named, lies
// inside the unpacked kit: a kit whose files pointed back at this
// machine's build would still build here, and nowhere else.
TEST_F(WindowsSdk, HelloIsBuiltFromTheKitAlone) {
    const std::string cache = testkit::ReadFile(build + "/CMakeCache.txt");
    for (const char* entry :
         {"Aerox_DIR:PATH=", "SDL2_DIR:PATH=", "SDL2_mixer_DIR:PATH=", "PNG_LIBRARY_RELEASE:FILEPATH=",
          "ZLIB_LIBRARY_RELEASE:FILEPATH=", "AEROX_LZO_LIBRARY:FILEPATH="}) {
        const size_t at = cache.find(std::string("\n") + entry);
        ASSERT_NE(std::string::npos, at) << entry << " not in the cache";
        const size_t start = at + 1 + std::string(entry).size();
        const std::string value = cache.substr(start, cache.find('\n', start) - start);
        EXPECT_TRUE(StartsWith(value, kit + "/")) << entry << value;
    }
    // The kit's folder has a space, which Ninja writes as "$ " in paths and
    // leaves in quoted commands: both spellings become one word first.
    std::string ninja = testkit::ReadFile(build + "/build.ninja");
    // Built character by character: GCC 12 at -O3 sees a false overlap in
    // an insert into the string (-Wrestrict).
    std::string escaped;
    for (const char c : kit) {
        if (c == ' ') escaped += '$';
        escaped += c;
    }
    for (const std::string& spelling : {kit, escaped})
        for (size_t at = 0; (at = ninja.find(spelling, at)) != std::string::npos;)
            ninja.replace(at, spelling.size(), "@KIT@");
    std::istringstream words(ninja);
    int libraries = 0;
    for (std::string word; words >> word;) {
        if (!word.empty() && word.front() == '"') word.erase(0, 1);
        if (!word.empty() && word.back() == '"') word.pop_back();
        // Relative ones are hello's own (its import library).
        if (word.size() < 2 || word.compare(word.size() - 2, 2, ".a") != 0 || (word[0] != '/' && word[0] != '@'))
            continue;
        ++libraries;
        EXPECT_TRUE(StartsWith(word, "@KIT@/")) << word;
    }
    EXPECT_GE(libraries, 6) << "the link names libaerox.a, SDL2, SDL2_mixer, libpng, zlib and LZO";
    EXPECT_TRUE(fs::exists(build + "/beep.wav")) << "the game's sound is not beside the program";
}

TEST_F(WindowsSdk, HelloRunsUnderWineToItsFirstFrameAndEndsOnEscape) {
    // Wine's sound would look for a device; the tests' own video driver
    // (x11) means nothing to a Windows program.
    testkit::ChildProgram hello("/usr/bin/wine", {build + "/hello.exe"},
                                {"WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=", "AEROX_NO_MESSAGE_BOX=1",
                                 "SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER=windows"});
    ASSERT_TRUE(hello.started());
    if (!hello.WaitForLine("Init OK", 60)) {
        int code = 0;
        const bool ended = hello.WaitExit(1, code);
        FAIL() << "no Init OK; output: " << hello.output()
               << (ended ? "; exit code " + std::to_string(code) : "; still running");
    }
    const std::string window = testkit::FindVisibleWindow("^Hello$", 20);
    ASSERT_FALSE(window.empty()) << "no window captioned Hello";
    const Shot shot = testkit::WaitForShot(window, ShowsHello, 20);
    EXPECT_TRUE(ShowsHello(shot)) << "no first frame of hello: the window is " << shot.width << "x" << shot.height
                                  << ", " << shot.Count(0, 0, shot.width, shot.height, DarkBlue) << " dark blue pixels";
    // Escape ends it; pressed again (at most three times) while it runs.
    int code = -1000;
    for (int attempt = 0; attempt < 3; ++attempt) {
        testkit::RunCommand("xdotool windowfocus --sync " + window);
        testkit::HoldKeys("Escape", 0.2);
        if (hello.WaitExit(10, code)) break;
    }
    EXPECT_EQ(0, code) << "hello did not end with code 0 on Escape";
}

}  // namespace
