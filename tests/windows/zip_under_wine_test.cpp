// The Windows package, as a player gets it: the zip unpacked into a fresh
// folder whose name is not ASCII, and aerox.exe run under Wine on a private
// X server. The window opens at the screen size, the menu is drawn, Return
// starts play over the sea and Escape ends with exit code 0; with the data
// folder gone, or a bitmap cut short, it still starts and ends cleanly.
// The zip comes from AEROX_WINDOWS_ZIP; Wine's prefix and server are the
// caller's (WINEPREFIX), and so is the X server: Wine's desktop lives on the
// display its server started with, and a program on another display gets
// no window. scripts/test-windows runs these tests alone on its own
// virtual X server.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "testkit/e2e_process.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

namespace fs = std::filesystem;
using testkit::Shot;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Shot WaitForShot(const std::string& window, const std::function<bool(const Shot&)>& test, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    Shot shot;
    for (;;) {
        shot = testkit::GrabWindow(window);
        if (shot.valid() && test(shot)) return shot;
        if (SecondsSince(start) > seconds) return shot;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// What the game draws (see the Linux end-to-end tests): the menu prints
// "Score: 0" near the bottom and nothing in the top-left corner; play puts
// "Score" in the top-left corner over blue water.
bool IsBlueWater(int r, int g, int b) { return b > r + 30 && b > g; }
bool ScoreLineLit(const Shot& s) { return s.Lit(120, 218, 240, 232) >= 20; }
bool TopLeftLit(const Shot& s) { return s.Lit(0, 0, 56, 10) >= 15; }
bool ShowsMenu(const Shot& s) { return s.width == 320 && s.height == 240 && ScoreLineLit(s) && !TopLeftLit(s); }
bool ShowsSea(const Shot& s) {
    return s.width == 320 && s.height == 240 && TopLeftLit(s) && s.Count(0, 20, 320, 220, IsBlueWater) > 320 * 200 / 2;
}

// The zip unpacked into a folder named with accents, a ligature and CJK
// characters; program() is its aerox.exe.
class UnpackedZip {
public:
    UnpackedZip() {
        const char* zip = std::getenv("AEROX_WINDOWS_ZIP");
        if (zip == nullptr || zip[0] == '\0') {
            ADD_FAILURE() << "AEROX_WINDOWS_ZIP names no zip (scripts/test sets it)";
            return;
        }
        root_ = fs::path(temp_.path()) / fs::path(u8"Spiele – Aérœx 試験");
        fs::create_directories(root_);
        testkit::RunCommand("unzip -q '" + std::string(zip) + "' -d '" + root_.string() + "'", 60);
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            if (entry.path().filename() == "aerox.exe") program_ = entry.path();
        EXPECT_FALSE(program_.empty()) << "no aerox.exe in " << zip;
    }
    const fs::path& program() const { return program_; }
    fs::path folder() const { return program_.parent_path(); }

private:
    testkit::TempFolder temp_;
    fs::path root_;
    fs::path program_;
};

// aerox.exe under Wine, up to its window.
class WineProgram {
public:
    explicit WineProgram(const fs::path& exe)
        : child_("/usr/bin/wine", {exe.string()},
                 // The tests' own SDL_VIDEODRIVER (x11) means nothing to a Windows program.
                 {"WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=", "AEROX_NO_MESSAGE_BOX=1",
                  "SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER=windows"}) {}
    // "Init OK" read and the window "Aerox" found at the screen size.
    bool Start() {
        EXPECT_TRUE(child_.started());
        if (!child_.WaitForLine("Init OK", 60)) {
            int code = 0;
            const bool ended = child_.WaitExit(1, code);
            ADD_FAILURE() << "no Init OK; output: " << child_.output()
                          << (ended ? "; exit code " + std::to_string(code) : "; still running");
            return false;
        }
        window_ = testkit::FindVisibleWindow("^Aerox$", 20);
        EXPECT_FALSE(window_.empty()) << "no window captioned Aerox";
        return !window_.empty();
    }
    const std::string& window() const { return window_; }
    void Press(const std::string& key) const {
        testkit::RunCommand("xdotool windowfocus --sync " + window_);
        testkit::HoldKeys(key, 0.2);
    }
    // Escape (again while the program keeps running, at most three times):
    // the exit code, or -1000 when it did not end.
    int EndWithEscape() {
        int code = -1000;
        for (int attempt = 0; attempt < 3; ++attempt) {
            Press("Escape");
            if (child_.WaitExit(10, code)) return code;
        }
        return -1000;
    }

private:
    testkit::ChildProgram child_;
    std::string window_;
};

class WindowsZip : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "no X server";
        ASSERT_FALSE(zip_.program().empty());
    }
    UnpackedZip zip_;
};

TEST_F(WindowsZip, MenuThenSeaThenEscapeEndsWithZero) {
    WineProgram program(zip_.program());
    ASSERT_TRUE(program.Start());
    const Shot menu = WaitForShot(program.window(), ShowsMenu, 20);
    ASSERT_TRUE(ShowsMenu(menu)) << "no 320x240 menu; the window is " << menu.width << "x" << menu.height;
    Shot play;
    for (int attempt = 0; attempt < 3 && !ShowsSea(play); ++attempt) {
        program.Press("Return");
        play = WaitForShot(program.window(), ShowsSea, 10);
    }
    EXPECT_TRUE(ShowsSea(play)) << "Return did not start play over the sea";
    EXPECT_EQ(0, program.EndWithEscape());
}

TEST_F(WindowsZip, StartsAndEndsWithoutItsDataFolder) {
    std::error_code error;
    fs::remove_all(zip_.folder() / "data", error);
    ASSERT_FALSE(fs::exists(zip_.folder() / "data"));
    WineProgram program(zip_.program());
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(0, program.EndWithEscape());
}

TEST_F(WindowsZip, StartsAndEndsWithATruncatedBitmap) {
    const fs::path menuPicture = zip_.folder() / "data" / "mainmenue.bmp";
    ASSERT_TRUE(fs::exists(menuPicture));
    fs::resize_file(menuPicture, fs::file_size(menuPicture) / 3);
    WineProgram program(zip_.program());
    ASSERT_TRUE(program.Start());
    // The rest of the menu is still drawn.
    EXPECT_TRUE(ScoreLineLit(WaitForShot(program.window(), ScoreLineLit, 20)));
    EXPECT_EQ(0, program.EndWithEscape());
}

}  // namespace
