// The Debian packages as a player and a game maker get them: built with
// CPack from this build, accepted by lintian and unpacked into throwaway
// roots, each holding its own part only. The game started there through its
// launcher finds its data, shows the menu and ends with exit code 0 on
// Escape; a game built against the unpacked kit alone links.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
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
    int status = -1;     // the command's exit status; -1 when it did not end normally
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
// Where this build installs libraries under its prefix: lib/<multiarch> when
// configured for /usr, as scripts/package does.
const std::string kLibDir = AEROX_TEST_LIBDIR;

// The packages built from this build folder into a temporary folder: the
// game, aerox (deb, unpacked by dpkg -x into root/), and the kit,
// libaerox-dev (devDeb, unpacked into devRoot/).
class DebPackage : public ::testing::Test {
protected:
    void SetUp() override {
        const Result cpack = Shell(std::string(AEROX_TEST_CPACK) +
                                       " -G DEB --config " AEROX_TEST_BUILD_DIR "/CPackConfig.cmake -B " + temp.path(),
                                   240);
        ASSERT_EQ(0, cpack.status) << cpack.output;
        deb = temp.File("aerox_" + kVersion + "_amd64.deb");
        devDeb = temp.File("libaerox-dev_" + kVersion + "_amd64.deb");
        root = temp.File("root");
        devRoot = temp.File("devRoot");
        for (const auto& [package, into] : {std::pair{deb, root}, std::pair{devDeb, devRoot}}) {
            ASSERT_TRUE(fs::exists(package)) << "no " << package << " after: " << cpack.output;
            const Result unpack = Shell("dpkg -x " + package + " " + into, 60);
            ASSERT_EQ(0, unpack.status) << unpack.output;
        }
    }
    static std::string Field(const std::string& package, const std::string& name) {
        std::string value = Shell("dpkg-deb -f " + package + " " + name, 30).output;
        while (!value.empty() && value.back() == '\n') value.pop_back();
        return value;
    }
    std::string Field(const std::string& name) const { return Field(deb, name); }
    // Every file and link an unpacked package holds, relative to its root.
    static std::vector<std::string> Files(const std::string& unpacked) {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(unpacked))
            if (!entry.is_directory()) files.push_back(fs::relative(entry.path(), unpacked).string());
        std::sort(files.begin(), files.end());
        return files;
    }
    static void ExpectLintianFindsNoError(const std::string& package) {
        const Result lintian = Shell("lintian --allow-root --tag-display-limit 0 " + package, 240);
        EXPECT_EQ(0, lintian.status) << lintian.output;
        EXPECT_EQ(std::string::npos, lintian.output.find("E: ")) << lintian.output;
    }
    static bool Executable(const fs::path& p) {
        struct stat s {};
        return stat(p.c_str(), &s) == 0 && S_ISREG(s.st_mode) && (s.st_mode & 0777) == 0755;
    }

    testkit::TempFolder temp;
    std::string deb, devDeb;
    std::string root, devRoot;
};

// Each package holds only files under its own paths: nothing of the kit in
// the game's, nothing of the game in the kit's.
TEST_F(DebPackage, EachPackageHoldsItsOwnPartOnly) {
    struct Part {
        std::string unpacked;
        std::vector<std::string> paths;  // prefixes of the paths its files may have
    };
    const Part parts[] = {
        {root,
         {"usr/games/aerox", "usr/lib/aerox/", "usr/share/applications/aerox.desktop", "usr/share/icons/hicolor/",
          "usr/share/man/man6/aerox.6.gz", "usr/share/doc/aerox/"}},
        {devRoot,
         {"usr/include/aerox/", "usr/" + kLibDir + "/libaerox.a", "usr/" + kLibDir + "/cmake/Aerox/",
          "usr/share/doc/libaerox-dev/", "usr/bin/aerox-mesh", "usr/share/aerox/meshes/"}},
    };
    for (const Part& part : parts) {
        const std::vector<std::string> files = Files(part.unpacked);
        EXPECT_FALSE(files.empty()) << part.unpacked;
        for (const std::string& file : files)
            EXPECT_TRUE(std::any_of(part.paths.begin(), part.paths.end(),
                                    [&](const std::string& path) { return file.rfind(path, 0) == 0; }))
                << file << " in " << part.unpacked;
    }
}

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

    ExpectLintianFindsNoError(deb);
}

TEST_F(DebPackage, KitDescribesItselfHoldsTheHeadersLibraryAndCMakePackageAndLintianFindsNoError) {
    EXPECT_EQ("libaerox-dev", Field(devDeb, "Package"));
    EXPECT_EQ(kVersion, Field(devDeb, "Version"));
    EXPECT_EQ("libdevel", Field(devDeb, "Section"));
    EXPECT_EQ("amd64", Field(devDeb, "Architecture"));
    // What a game linking the static library builds with.
    const std::string depends = ", " + Field(devDeb, "Depends") + ",";
    for (const char* package :
         {"libsdl2-dev", "libsdl2-mixer-dev", "libpng-dev", "liblzo2-dev", "libinih-dev", "libgl-dev", "pkg-config"})
        EXPECT_NE(std::string::npos, depends.find(std::string(" ") + package + ",")) << package << depends;

    const fs::path usr = fs::path(devRoot) / "usr";
    std::vector<std::string> files = {kLibDir + "/libaerox.a", "share/doc/libaerox-dev/copyright",
                                      "share/doc/libaerox-dev/changelog.gz"};
    for (const char* name : {"AeroxConfig", "AeroxConfigVersion", "AeroxTargets"})
        files.push_back(kLibDir + "/cmake/Aerox/" + name + ".cmake");
    for (const auto& header : fs::directory_iterator(AEROX_TEST_SOURCE_DIR "/include/aerox"))
        files.push_back("include/aerox/" + header.path().filename().string());
    for (const std::string& file : files) EXPECT_TRUE(fs::is_regular_file(usr / file)) << file;
    // The mesh converter runs from the kit: dpkg must bring what it loads.
    if (fs::is_regular_file(usr / "bin/aerox-mesh")) {
        for (const char* runtime : {" libtinygltf2", " libtinyobjloader2", " libmeshoptimizer2"})
            EXPECT_NE(std::string::npos, depends.find(runtime)) << runtime << depends;
    }

    ExpectLintianFindsNoError(devDeb);
}

// examples/hello configured and built with the unpacked kit as its only
// Aerox: the CMake package finds its headers and library where it was
// unpacked (nothing in it points at /usr), and the library still links.
TEST_F(DebPackage, AGameBuildsAgainstTheUnpackedKit) {
    const std::string build = temp.File("hello");
    const Result made = Shell("cmake -S " AEROX_TEST_SOURCE_DIR "/examples/hello -B " + build +
                                  " -G Ninja -DCMAKE_PREFIX_PATH=" + devRoot + "/usr && cmake --build " + build,
                              240);
    ASSERT_EQ(0, made.status) << made.output;
    EXPECT_TRUE(Executable(build + "/hello"));
    const std::string ninja = testkit::ReadFile(build + "/build.ninja");
    for (const std::string& used : {devRoot + "/usr/include", devRoot + "/usr/" + kLibDir + "/libaerox.a"})
        EXPECT_NE(std::string::npos, ninja.find(used)) << used;
}

TEST_F(DebPackage, InstalledGameStartsThroughItsLauncherShowsTheMenuAndEndsOnEscape) {
    const std::string listing = "find " + root + " -printf \"%p %s %T@\\n\" | sort";
    const Result before = Shell(listing, 30);
    PrivateXServer x;
    ASSERT_TRUE(x.running()) << "cannot start Xvfb";
    testkit::TempFolder logs;
    testkit::ChildProgram program(
        root + "/usr/games/aerox", {},
        {"TMPDIR=" + logs.path(), "SDL_VIDEODRIVER=x11", "AEROX_NO_MESSAGE_BOX=1", "SDL_AUDIODRIVER=dummy"});
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
