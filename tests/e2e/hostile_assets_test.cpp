// The real program with broken data files: each file in turn, and all of
// them at once, cut short, emptied, declaring enormous sizes, overwritten
// with random bytes, replaced by a folder or a named pipe, or gone; and
// the whole data folder or the font gone. Every time the program must
// start, show its menu (in the built-in font where the font file is
// broken), start a game on Return, fire, and end with exit code 0 on
// Escape.
//
// Each case runs a copy of the program's folder on a private X server, so
// that no other test's window can take the focus from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "testkit/e2e_process.h"
#include "testkit/hostile_files.h"
#include "testkit/private_x_server.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

using testkit::Breakage;
using testkit::Shot;

// Every file the game loads, in its folder, in the order it loads them.
const std::vector<std::string>& DataFiles() {
    static const std::vector<std::string> files = {
        "data/shot.wav",           "data/explode1.wav",       "data/explode2.wav",
        "data/background.bmp",     "data/mainmenue.bmp",      "data/arrow.bmp",
        "data/shot.bmp",           "data/water1.bmp",         "data/water2.bmp",
        "data/island1.bmp",        "data/island2.bmp",        "data/island3.bmp",
        "data/player31.bmp",       "data/player32.bmp",       "data/player33.bmp",
        "data/bigexplosion1.bmp",  "data/bigexplosion2.bmp",  "data/bigexplosion3.bmp",
        "data/bigexplosion4.bmp",  "data/bigexplosion5.bmp",  "data/bigexplosion6.bmp",
        "data/bigexplosion7.bmp",  "data/enemy11.bmp",        "data/enemy12.bmp",
        "data/enemy13.bmp",        "data/enemy14.bmp",        "data/enemy15.bmp",
        "data/enemy16.bmp",        "data/enemy17.bmp",        "data/enemy21.bmp",
        "data/smallexplosion1.bmp", "data/smallexplosion2.bmp", "data/smallexplosion3.bmp",
        "data/smallexplosion4.bmp", "data/smallexplosion5.bmp", "data/smallexplosion6.bmp",
    };
    return files;
}

const char kFontFile[] = "smalfont.bmp";

// The data files and the font.
std::vector<std::string> AllFiles() {
    std::vector<std::string> all = DataFiles();
    all.push_back(kFontFile);
    return all;
}

struct HostileCase {
    std::string name;                  // the test's name
    std::vector<std::string> targets;  // paths in the program's folder
    Breakage kind;
};

// Shown by the test runner (and in ctest's names) as the case's name.
void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

std::string NameOf(const std::string& path) {
    std::string name;
    for (char c : path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// Each file with one broken variant, the kinds taken in turn.
std::vector<HostileCase> EachFileCases() {
    std::vector<HostileCase> cases;
    const std::vector<std::string> all = AllFiles();
    for (size_t i = 0; i < all.size(); ++i) {
        const auto kind = static_cast<Breakage>(i % testkit::kBreakageCount);
        cases.push_back({std::string(testkit::BreakageName(kind)) + "_" + NameOf(all[i]), {all[i]}, kind});
    }
    return cases;
}

// All files at once with each kind; then the data folder gone, the font gone.
std::vector<HostileCase> WholeFolderCases() {
    std::vector<HostileCase> cases;
    for (int k = 0; k < testkit::kBreakageCount; ++k) {
        const auto kind = static_cast<Breakage>(k);
        cases.push_back({std::string("AllFiles") + testkit::BreakageName(kind), AllFiles(), kind});
    }
    cases.push_back({"NoDataFolder", {"data"}, Breakage::Missing});
    cases.push_back({"NoFont", {kFontFile}, Breakage::Missing});
    return cases;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the screen shows, judged from a screenshot of the window.
//  - The menu prints "Score: 0" at (125, 220) and draws nothing in the top
//    left corner (its title picture starts at x 60).
//  - In play the status line prints "Score" at (0, 0), over the sea.
bool ScoreLineLit(const Shot& s) { return s.Lit(120, 218, 240, 232) >= 20; }
bool TopLeftLit(const Shot& s) { return s.Lit(0, 0, 56, 10) >= 15; }
bool ShowsMenu(const Shot& s) { return s.valid() && ScoreLineLit(s) && !TopLeftLit(s); }
bool ShowsPlay(const Shot& s) { return s.valid() && TopLeftLit(s); }

// The rightmost lit column of the menu's score line, or -1. "Score: 0" is
// 8 characters from x 125: the built-in font's 8-pixel cells end it at
// x 188, the font file's 10-pixel cells run it to x 204.
int ScoreLineRightEdge(const Shot& s) {
    for (int x = std::min(s.width, 260) - 1; x >= 120; --x)
        if (s.Lit(x, 218, x + 1, 232) > 0) return x;
    return -1;
}

class HostileAssets : public ::testing::TestWithParam<HostileCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(x_.running()) << "cannot start Xvfb";
        const char* dir = std::getenv("AEROX_GAME_DIR");
        ASSERT_NE(dir, nullptr) << "AEROX_GAME_DIR is not set";
        std::string why;
        ASSERT_TRUE(testkit::CopyGameFolder(dir, folder_.path(), why)) << why;
    }

    // Breaks the case's files in the copy; true when any target is the font.
    bool Break(const HostileCase& c) {
        bool fontBroken = false;
        const std::vector<std::string> all = AllFiles();
        for (const std::string& target : c.targets) {
            // Each file gets its own random bytes and form of enormous size.
            const auto seed = static_cast<uint32_t>(std::find(all.begin(), all.end(), target) - all.begin());
            std::string why;
            EXPECT_TRUE(testkit::BreakFile(folder_.File(target), c.kind, seed, why)) << why;
            fontBroken = fontBroken || target == kFontFile;
        }
        return fontBroken;
    }

    void Start() {
        program_ = std::make_unique<testkit::ChildProgram>(
            folder_.File("aerox"), std::vector<std::string>{},
            std::vector<std::string>{"TMPDIR=" + temp_.path(), "SDL_VIDEODRIVER=x11", "AEROX_NO_MESSAGE_BOX=1",
                                     "SDL_AUDIODRIVER=dummy"});
        ASSERT_TRUE(program_->started());
        ASSERT_TRUE(program_->WaitForLine("Init OK", 10)) << "no Init OK;" << Ended();
        window_ = testkit::FindWindow(program_->pid(), "^Aerox$", 10);
        ASSERT_FALSE(window_.empty()) << "no window;" << Ended();
        Focus();
    }

    // Gives the window the keyboard focus (there is no window manager) and
    // waits, at most two seconds, until the server says it has it.
    void Focus() {
        const auto focused = [this] { return testkit::RunCommand("xdotool getwindowfocus") == window_ + "\n"; };
        if (focused()) return;
        const auto start = std::chrono::steady_clock::now();
        do {
            testkit::RunCommand("xdotool windowfocus " + window_);
            if (focused()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (SecondsSince(start) < 2);
        // Lets the program see the focus before a key comes.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    // Polls screenshots until seen holds it, at most timeoutSeconds; the
    // last shot is kept for the failure message.
    template <typename Seen>
    bool WaitForScreen(Seen seen, double timeoutSeconds) {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            last_ = testkit::GrabWindow(window_);
            if (seen(last_)) return true;
            if (SecondsSince(start) > timeoutSeconds || Exited()) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    bool Exited() {
        if (exitCode_) return true;
        int code = 0;
        if (program_->WaitExit(0, code)) exitCode_ = std::make_unique<int>(code);
        return exitCode_ != nullptr;
    }

    // How the program stands, for failure messages; saves the last
    // screenshot where a person can look at it.
    std::string Ended() {
        std::string text = Exited() ? " exit code " + std::to_string(*exitCode_) : " still running";
        text += "; output: [" + program_->output() + "]";
        if (last_.valid()) {
            const std::string path = (std::filesystem::temp_directory_path() /
                                      ("aerox-hostile-" + NameOf(GetParam().name) + ".png")).string();
            if (testkit::WritePng(last_, path)) text += "; last screen in " + path;
        }
        return text;
    }

    // With AEROX_HOSTILE_SHOTS naming a folder, the screens seen are kept
    // there for a person to look at.
    void Keep(const std::string& stage) {
        if (const char* shots = std::getenv("AEROX_HOSTILE_SHOTS"))
            testkit::WritePng(last_, std::string(shots) + "/" + GetParam().name + "-" + stage + ".png");
    }

    // Presses keys until the screen shows what seen looks for (at most
    // three presses).
    template <typename Seen>
    bool PressUntilScreen(const std::string& keys, Seen seen) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Focus();
            testkit::HoldKeys(keys);
            if (WaitForScreen(seen, 3)) return true;
            if (Exited()) return false;
        }
        return false;
    }

    void ExpectEndsOnEscape() {
        for (int attempt = 0; attempt < 3 && !Exited(); ++attempt) {
            Focus();
            testkit::HoldKeys("Escape");
            int code = 0;
            if (program_->WaitExit(3, code)) exitCode_ = std::make_unique<int>(code);
        }
        ASSERT_TRUE(Exited()) << "the program did not end on Escape;" << Ended();
        EXPECT_EQ(0, *exitCode_) << Ended();
    }

    PrivateXServer x_;
    testkit::TempFolder folder_;  // the program's copy
    testkit::TempFolder temp_;    // its temporary directory
    std::unique_ptr<testkit::ChildProgram> program_;  // killed on the way out
    std::string window_;
    Shot last_;
    std::unique_ptr<int> exitCode_;
};

TEST_P(HostileAssets, StartsShowsTheMenuPlaysAndEndsOnEscape) {
    const HostileCase& c = GetParam();
    const bool fontBroken = Break(c);
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Start());

    ASSERT_TRUE(WaitForScreen(ShowsMenu, 10)) << "no menu;" << Ended();
    Keep("menu");
    const int edge = ScoreLineRightEdge(last_);
    if (fontBroken) {
        EXPECT_LT(edge, 192) << "the score line is not in the built-in font;" << Ended();
    } else {
        EXPECT_GE(edge, 192) << "the score line is not in the font file's font;" << Ended();
    }

    ASSERT_TRUE(PressUntilScreen("Return", ShowsPlay)) << "no game on Return;" << Ended();
    Keep("play");
    // Fires for a moment (the shot sound's slot may be empty), still playing.
    Focus();
    testkit::HoldKeys("Control_L", 0.2);
    ASSERT_TRUE(WaitForScreen(ShowsPlay, 3)) << "not in play after firing;" << Ended();
    ExpectEndsOnEscape();
}

INSTANTIATE_TEST_SUITE_P(EachFile, HostileAssets, ::testing::ValuesIn(EachFileCases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(WholeFolder, HostileAssets, ::testing::ValuesIn(WholeFolderCases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

// The list above is every file the game ships: a new asset must be added
// to it, or its breakage would go untested.
TEST(HostileAssetList, NamesEveryShippedFile) {
    const char* dir = std::getenv("AEROX_GAME_DIR");
    ASSERT_NE(dir, nullptr) << "AEROX_GAME_DIR is not set";
    std::vector<std::string> shipped;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(dir) + "/data"))
        shipped.push_back("data/" + entry.path().filename().string());
    std::sort(shipped.begin(), shipped.end());
    std::vector<std::string> listed = DataFiles();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, shipped);
    EXPECT_TRUE(std::filesystem::is_regular_file(std::string(dir) + "/" + kFontFile));
}

}  // namespace
