// The kit as a game maker meets it: the engine installed into a throwaway
// prefix, every example built against that installed package alone (never
// against this build tree), the one header compiled strictly, the CMake
// package's version rule, and the hello example played on the X server.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/e2e_process.h"
#include "testkit/running_program.h"
#include "testkit/testkit.h"

namespace {

namespace fs = std::filesystem;

using Ran = testkit::ShellRun;
using testkit::RunShell;

using testkit::ShellQuoted;

// One installed kit and the examples built against it, shared by the tests.
class InstalledKit : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new testkit::TempFolder;
        prefix = folder->path() + "/prefix";
        const Ran install = RunShell("cmake --install " + ShellQuoted(AEROX_TEST_BUILD_DIR) + " --prefix " +
                                         ShellQuoted(prefix) + " --component dev",
                                     120);
        installed = install.code == 0;
        installLog = install.output;
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }

    // Configures and builds a CMake project against the installed kit only,
    // warnings as errors; its build folder is returned through build.
    static Ran Build(const std::string& source, const std::string& name, std::string& build,
                     const std::string& extra = "") {
        build = folder->path() + "/build-" + name;
        return RunShell("cmake -S " + ShellQuoted(source) + " -B " + ShellQuoted(build) +
                            " -G Ninja -DCMAKE_PREFIX_PATH=" + ShellQuoted(prefix) +
                            " -DCMAKE_CXX_FLAGS='-Wall -Wextra -Wpedantic -Werror' " + extra + " && cmake --build " +
                            ShellQuoted(build),
                        300);
    }

    void SetUp() override { ASSERT_TRUE(installed) << installLog; }

    static inline testkit::TempFolder* folder = nullptr;
    static inline std::string prefix;
    static inline bool installed = false;
    static inline std::string installLog;
};

TEST_F(InstalledKit, HoldsTheHeadersLibraryAndPackageButNoPrivateHeader) {
    const std::string lib = AEROX_TEST_LIBDIR;
    for (const std::string& file :
         {std::string("include/aerox/aerox.h"), lib + "/libaerox.a", lib + "/cmake/Aerox/AeroxConfig.cmake",
          lib + "/cmake/Aerox/AeroxConfigVersion.cmake", lib + "/cmake/Aerox/AeroxTargets.cmake"})
        EXPECT_TRUE(fs::exists(prefix + "/" + file)) << file;
    for (const auto& entry : fs::recursive_directory_iterator(prefix + "/include")) {
        if (!entry.is_regular_file()) continue;
        EXPECT_EQ(prefix + "/include/aerox", entry.path().parent_path().string()) << entry.path();
    }
}

// The one header in a strict consumer, as C++17 and C++20: with only the
// kit's include folder on the path, a header that reached for SDL, OpenGL
// or the engine's private ones would not compile.
TEST_F(InstalledKit, TheHeaderCompilesStrictlyOnItsOwn) {
    const std::string source = folder->path() + "/consumer.cpp";
    testkit::WriteFile(source,
                       "#include <aerox/aerox.h>\n"
                       "static void Game() { PrintText(\"HI\", 0, 0); ShowScreen(); }\n"
                       "int main(int argc, char** argv) {\n"
                       "    StartupSettings settings;\n"
                       "    settings.caption = \"Consumer\";\n"
                       "    RtString text = NumberText(Abs(-2.0)) + \" lives\";\n"
                       "    return text == \"2 lives\" ? RunGame(argc, argv, settings, &Game) : 1;\n"
                       "}\n");
    for (const char* standard : {"c++17", "c++20"}) {
        const Ran ran =
            RunShell(std::string("c++ -std=") + standard + " -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I" +
                         ShellQuoted(prefix) + "/include " + ShellQuoted(source),
                     60);
        EXPECT_EQ(0, ran.code) << standard << ":\n" << ran.output;
    }
    // What the header brings in: the kit's own headers and the C++
    // library, nothing of SDL, GL, libpng, LZO or inih.
    const Ran deps = RunShell("c++ -std=c++17 -M -I" + ShellQuoted(prefix) + "/include " + ShellQuoted(source), 60);
    ASSERT_EQ(0, deps.code) << deps.output;
    for (const char* foreign : {"SDL", "/GL/", "png", "lzo", "ini.h", "/src/"})
        EXPECT_EQ(std::string::npos, deps.output.find(foreign)) << foreign << " in:\n" << deps.output;
    EXPECT_NE(std::string::npos, deps.output.find(prefix + "/include/aerox/aerox.h"));
}

TEST_F(InstalledKit, EveryExampleBuildsAgainstTheInstalledPackage) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(std::string(AEROX_TEST_SOURCE_DIR) + "/examples")) {
        if (!fs::exists(entry.path() / "CMakeLists.txt")) continue;
        ++examples;
        std::string build;
        const Ran ran = Build(entry.path().string(), entry.path().filename().string(), build);
        EXPECT_EQ(0, ran.code) << entry.path() << ":\n" << ran.output;
        // Built from the installed headers, not from this tree's.
        const std::string commands = testkit::ReadFile(build + "/build.ninja");
        EXPECT_EQ(std::string::npos, commands.find(std::string(AEROX_TEST_SOURCE_DIR) + "/include")) << entry.path();
    }
    EXPECT_GE(examples, 1);
}

// Same major version and no newer minor than installed: compatible.
TEST_F(InstalledKit, ThePackageKeepsItsVersionRule) {
    const std::string version = AEROX_TEST_VERSION;
    const std::string major = version.substr(0, version.find('.'));
    const struct {
        std::string asked;
        bool found;
    } cases[] = {{version, true},
                 {major + ".0", true},
                 {major + ".99", false},
                 {std::to_string(std::stoi(major) + 1) + ".0", false}};
    for (const auto& test : cases) {
        const std::string source = folder->path() + "/version-" + test.asked;
        fs::create_directories(source);
        testkit::WriteFile(source + "/CMakeLists.txt",
                           "cmake_minimum_required(VERSION 3.20)\nproject(v CXX)\n"
                           "find_package(Aerox " +
                               test.asked + " REQUIRED)\n");
        std::string build;
        const Ran ran = Build(source, "version-" + test.asked, build);
        EXPECT_EQ(test.found, ran.code == 0) << test.asked << ":\n" << ran.output;
        if (!test.found) {
            // CMake's own message (it wraps the line before "with").
            EXPECT_NE(std::string::npos, ran.output.find("requested version \"" + test.asked + "\"")) << ran.output;
        }
    }
}

// hello, built against the kit, on the X server: its own caption, its
// 256x192 screen at the scale asked for, the text on its first frames, and
// Escape ending it with code 0.
TEST_F(InstalledKit, HelloRunsWithItsOwnCaptionScreenAndText) {
    std::string build;
    const Ran built = Build(std::string(AEROX_TEST_SOURCE_DIR) + "/examples/hello", "hello-run", build);
    ASSERT_EQ(0, built.code) << built.output;
    testkit::FocusLock lock;
    ASSERT_TRUE(lock.held());
    testkit::RunningProgram hello(build + "/hello", {"--scale", "2"}, "Hello");
    ASSERT_TRUE(hello.Start());
    // The search above also matches the window's class ("hello"): the
    // caption itself, exactly.
    EXPECT_TRUE(testkit::WaitForWindowName(hello.window, "Hello", 5))
        << testkit::RunCommand("xdotool getwindowname " + hello.window);
    // "HELLO" at (8, 8) in the built-in 8x8 font, twice its size: lit
    // pixels in its box, none in the empty band beside it.
    const testkit::Shot shot = testkit::WaitForShot(
        hello.window,
        [](const testkit::Shot& s) { return s.width == 512 && s.height == 384 && s.Lit(16, 16, 96, 32) > 60; }, 10);
    EXPECT_EQ(512, shot.width);
    EXPECT_EQ(384, shot.height);
    EXPECT_GT(shot.Lit(16, 16, 96, 32), 60) << "the text";
    EXPECT_EQ(0, shot.Count(110, 16, 200, 32, [](int r, int g, int b) { return r + g + b > 600; })) << "beside it";
    hello.PressUntilEnded("Escape");
}

}  // namespace
