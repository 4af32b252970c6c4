// The real program played with the mouse alone, on a private X server
// driven through XTEST (xdotool), its window at scale 3: pointing at a menu
// entry moves the arrow there, a left click chooses it, a click on the
// HI-SCORES table goes back, and a click on QUIT ends the program.
#include <gtest/gtest.h>

#include <string>

#include "testkit/e2e_process.h"
#include "testkit/private_x_server.h"
#include "testkit/running_program.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

using testkit::Shot;

constexpr int kScale = 3;

// The window's picture back at the screen's 320x240, one pixel of each
// kScale x kScale block.
Shot AtScreenSize(const Shot& s) {
    Shot out;
    if (s.width != 320 * kScale || s.height != 240 * kScale) return out;
    out.width = 320;
    out.height = 240;
    out.rgb.resize(size_t{320} * 240 * 3);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const uint8_t* p = s.At(x * kScale, y * kScale);
            std::copy(p, p + 3, out.rgb.data() + (static_cast<size_t>(y) * 320 + x) * 3);
        }
    return out;
}

bool ScaledMenuShown(const Shot& s) { return testkit::MenuShown(AtScreenSize(s)); }

// The menu row (0-4) the arrow points at, or -1: the arrow is drawn at
// (0, 145 + 18 * row), left of the menu picture.
int ArrowRow(const Shot& window) {
    const Shot s = AtScreenSize(window);
    if (!s.valid() || !testkit::MenuShown(s)) return -1;
    int row = -1, most = 10;
    for (int r = 0; r < 5; ++r) {
        const int lit = s.Lit(0, 145 + 18 * r, 10, 161 + 18 * r);
        if (lit > most) row = r, most = lit;
    }
    return row;
}

// The pointer over the middle of a screen pixel of the window.
void PointAt(const std::string& window, int x, int y) {
    testkit::RunCommand("xdotool mousemove --window " + window + " " + std::to_string(x * kScale + 1) + " " +
                        std::to_string(y * kScale + 1));
}

void Click() { testkit::RunCommand("xdotool click 1"); }

// The menu entry's middle, left of its text.
int EntryY(int row) { return 145 + 18 * row + 9; }

}  // namespace

TEST(MouseMenu, PointingMovesTheArrowAndALeftClickChooses) {
    PrivateXServer x("1280x1024x24");
    ASSERT_TRUE(x.running()) << "cannot start Xvfb";
    testkit::TempFolder userDir;
    testkit::RunningProgram run(testkit::ProgramPath(), {"--scale", std::to_string(kScale)}, "Aerox",
                                {"AEROX_USER_DIR=" + userDir.path()});
    ASSERT_TRUE(run.Start());
    const Shot menu = testkit::WaitForShot(run.window, ScaledMenuShown, 10);
    ASSERT_TRUE(ScaledMenuShown(menu)) << "no menu at scale " << kScale << ": " << menu.width << "x" << menu.height;
    ASSERT_EQ(0, ArrowRow(menu));

    // Pointing alone moves the arrow, to each entry in turn.
    for (int row : {3, 1, 3}) {
        PointAt(run.window, 60, EntryY(row));
        const Shot pointed = testkit::WaitForShot(
            run.window, [row](const Shot& s) { return ArrowRow(s) == row; }, 5);
        ASSERT_EQ(row, ArrowRow(pointed)) << "the arrow did not follow the pointer";
    }

    // A click chooses HI-SCORES; on the table a click goes back.
    Click();
    const Shot table = testkit::WaitForShot(
        run.window, [](const Shot& s) { return !ScaledMenuShown(s); }, 5);
    ASSERT_FALSE(ScaledMenuShown(table)) << "the click did not choose HI-SCORES";
    EXPECT_GT(AtScreenSize(table).Lit(100, 18, 220, 30), 20) << "the HI-SCORES title";
    Click();
    ASSERT_TRUE(ScaledMenuShown(testkit::WaitForShot(run.window, ScaledMenuShown, 5))) << "the click kept the table";

    // QUIT, pointed at and clicked, ends the program as Return would.
    PointAt(run.window, 60, EntryY(4));
    ASSERT_EQ(4, ArrowRow(testkit::WaitForShot(
                     run.window, [](const Shot& s) { return ArrowRow(s) == 4; }, 5)));
    Click();
    run.ExpectEndsWithCodeZero();
}
