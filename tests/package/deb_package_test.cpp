// The Debian package as a player gets it: built with CPack from this build,
// accepted by lintian, unpacked into a throwaway root, and the game started
// there through its launcher finds its data, shows the menu and ends with
// exit code 0 on Escape.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "testkit/e2e_process.h"
#include "testkit/private_x_server.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;  // the command's exit status; -1 when it did not end normally
    std::string output;  // standard output and error together
};

// Runs a shell command, killed after timeoutSeconds.
Result Shell(const std::string& command, int timeoutSeconds) {
    const std::string line = "timeout -s KILL " + std::to_string(timeoutSeconds) + " sh -c '" + command + "' 2>&1";
    Result result;
    std::FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string kVersion = AEROX_TEST_VERSION;

// The package built from this build folder into a temporary folder, and
// unpacked (dpkg -x) into root/ there.
class DebPackage : public ::testing::Test {
protected:
    void SetUp() override {
        const Result cpack = Shell(std::string(AEROX_TEST_CPACK) + " -G DEB --config " AEROX_TEST_BUILD_DIR
                                 "/CPackConfig.cmake -B " + temp.path(), 240);
        ASSERT_EQ(0, cpack.status) << cpack.output;
        deb = temp.File("aerox_" + kVersion + "_amd64.deb");
        ASSERT_TRUE(fs::exists(deb)) << "no " << deb << " after: " << cpack.output;
        root = temp.File("root");
        const Result unpack = Shell("dpkg -x " + deb + " " + root, 60);
        ASSERT_EQ(0, unpack.status) << unpack.output;
    }
    std::string Field(const std::string& name) const {
        std::string value = Shell("dpkg-deb -f " + deb + " " + name, 30).output;
        while (!value.empty() && value.back() == '\n') value.pop_back();
        return value;
    }
    static bool Executable(const fs::path& p) {
        struct stat s {};
        return stat(p.c_str(), &s) == 0 && S_ISREG(s.st_mode) && (s.st_mode & 0777) == 0755;
    }

    testkit::TempFolder temp;
    std::string deb;
    std::string root;
};

bool MenuShown(const testkit::Shot& s) {
    return s.Lit(10, 145, 140, 235) > 300     // the menu picture
           && s.Lit(60, 0, 260, 140) > 1000;  // the title picture
}

}  // namespace

TEST_F(DebPackage, DescribesItselfAndLaysTheGameOutAsItRunsAndLintianFindsNoError) {
    EXPECT_EQ("aerox", Field("Package"));
    EXPECT_EQ(kVersion, Field("Version"));
    EXPECT_EQ("games", Field("Section"));
    EXPECT_EQ("amd64", Field("Architecture"));
    const std::string depends = Field("Depends");
    for (const char* library : {"libsdl2-2.0-0", "libsdl2-mixer-2.0-0", "libpng16-16", "liblzo2-2"})
        EXPECT_NE(std::string::npos, depends.find(library)) << library << " missing from: " << depends;
    EXPECT_EQ(std::string::npos, depends.find("-dev")) << depends;

    const fs::path usr = fs::path(root) / "usr";
    EXPECT_TRUE(Executable(usr / "games/aerox"));
    EXPECT_TRUE(Executable(usr / "lib/aerox/aerox"));
    for (const char* file : {"lib/aerox/smalfont.bmp", "lib/aerox/data/mainmenue.bmp", "lib/aerox/data/shot.wav",
                             "share/applications/aerox.desktop", "share/icons/hicolor/48x48/apps/aerox.png",
                             "share/icons/hicolor/256x256/apps/aerox.png", "share/man/man6/aerox.6.gz",
                             "share/doc/aerox/copyright", "share/doc/aerox/changelog.gz"})
        EXPECT_TRUE(fs::is_regular_file(usr / file)) << file;
    EXPECT_NE(std::string::npos, Shell("file -L " + (usr / "lib/aerox/aerox").string(), 30).output.find(", stripped"));
    // The newest changelog entry is this version's.
    const std::string changelog = Shell("zcat " + (usr / "share/doc/aerox/changelog.gz").string(), 30).output;
    EXPECT_EQ(0u, changelog.rfind("aerox (" + kVersion + ") ", 0)) << changelog.substr(0, 80);

    const Result desktop = Shell("desktop-file-validate " + (usr / "share/applications/aerox.desktop").string(), 30);
    EXPECT_EQ(0, desktop.status) << desktop.output;
    EXPECT_EQ("", desktop.output);

    const Result lintian = Shell("lintian --allow-root --no-tag-display-limit " + deb, 240);
    EXPECT_EQ(0, lintian.status) << lintian.output;
    EXPECT_EQ(std::string::npos, lintian.output.find("E: ")) << lintian.output;
}

TEST_F(DebPackage, InstalledGameStartsThroughItsLauncherShowsTheMenuAndEndsOnEscape) {
    const std::string listing = "find " + root + " -printf \"%p %s %T@\\n\" | sort";
    const Result before = Shell(listing, 30);
    PrivateXServer x;
    ASSERT_TRUE(x.running()) << "cannot start Xvfb";
    testkit::TempFolder logs;
    testkit::ChildProgram program(root + "/usr/games/aerox", {},
                                  {"TMPDIR=" + logs.path(), "SDL_VIDEODRIVER=x11", "AEROX_NO_MESSAGE_BOX=1",
                                   "SDL_AUDIODRIVER=dummy"});
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.WaitForLine("Init OK", 20)) << program.output();
    const std::string window = testkit::FindWindow(program.pid(), "^Aerox$", 10);
    ASSERT_FALSE(window.empty()) << "no window captioned Aerox";

    testkit::Shot shot;
    for (int i = 0; i < 100 && !MenuShown(shot); ++i) {
        shot = testkit::GrabWindow(window);
        if (!MenuShown(shot)) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(MenuShown(shot)) << "the menu did not appear: its pictures were not found";

    int code = -1;
    bool ended = false;
    for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
        testkit::RunCommand("xdotool windowfocus " + window);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        testkit::HoldKeys("Escape");
        ended = program.WaitExit(3, code);
    }
    ASSERT_TRUE(ended) << "the game did not end on Escape";
    EXPECT_EQ(0, code);
    // The log went to TMPDIR; the installed folders were left as they were.
    EXPECT_TRUE(fs::exists(logs.File("ErrorLog.txt")));
    EXPECT_EQ(before.output, Shell(listing, 30).output);
}
