// The real program, played from outside on a private X server: it starts,
// the menu is on screen, Return starts a game, the sea scrolls under the
// status line, and Escape ends it with exit code 0.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "testkit/e2e_process.h"
#include "testkit/private_x_server.h"
#include "testkit/running_program.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

using testkit::MenuShown;
using testkit::ProgramPath;
using testkit::Shot;
using testkit::WaitForShot;

bool IsBlueWater(int r, int g, int b) { return b > r + 30 && b > g; }
bool IsIsland(int r, int g, int b) { return (g > b + 20 && g > 60) || (r > b + 40 && g > b + 20); }

bool PlayShown(const Shot& s) {
    const int area = 320 * 200;
    return s.Lit(0, 0, 50, 10) > 20  // "Score" on the status line
           && s.Count(0, 20, 320, 220, IsBlueWater) > area / 2;
}

void SaveIfAsked(const Shot& shot, const char* name) {
    if (const char* dir = std::getenv("AEROX_SCREENSHOT_DIR")) testkit::WritePng(shot, std::string(dir) + "/" + name);
}

}  // namespace

TEST(GameRun, MenuThenPlayOverAScrollingSeaThenEscape) {
    PrivateXServer x;
    ASSERT_TRUE(x.running()) << "cannot start Xvfb";
    testkit::TempFolder temp;
    testkit::ChildProgram program(ProgramPath(), {},
                                  {"TMPDIR=" + temp.path(), "SDL_VIDEODRIVER=x11", "AEROX_NO_MESSAGE_BOX=1",
                                   "SDL_AUDIODRIVER=dummy"});
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.WaitForLine("Init OK", 20)) << program.output();
    const std::string window = testkit::FindWindow(program.pid(), "^Aerox$", 10);
    ASSERT_FALSE(window.empty());
    testkit::RunCommand("xdotool windowfocus " + window);

    const Shot menu = WaitForShot(window, MenuShown, 10);
    ASSERT_TRUE(MenuShown(menu)) << "the menu did not appear";
    SaveIfAsked(menu, "menu.png");

    // Return starts a game: the status line over the sea, where no island
    // is in sight yet at the start of the level.
    testkit::HoldKeys("Return", 0.15);
    const Shot start = WaitForShot(window, PlayShown, 10);
    ASSERT_TRUE(PlayShown(start)) << "no game after Return";
    EXPECT_LT(start.Count(0, 12, 320, 100, IsIsland), 50) << "open sea at the start of the level";

    // The sea scrolls down: the first island (map row 50, drawn from x 160)
    // comes in at the top edge.
    const Shot later = WaitForShot(
        window, [](const Shot& s) { return s.Count(150, 12, 240, 120, IsIsland) > 200; }, 15);
    EXPECT_GT(later.Count(150, 12, 240, 120, IsIsland), 200) << "the sea did not scroll";
    SaveIfAsked(later, "play.png");

    testkit::HoldKeys("Escape", 0.15);
    int code = -1;
    ASSERT_TRUE(program.WaitExit(10, code)) << "Escape did not end the program";
    EXPECT_EQ(code, 0);
}
