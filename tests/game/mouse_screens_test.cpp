// The menu, OPTIONS, HI-SCORES and the initials entry with a scripted
// mouse: pointing at an entry moves the arrow there, a left click chooses
// it, and a pointer that never moves changes nothing.
#include <vector>

#include "game_fixture.h"
#include "input/pointer_source.h"

namespace gametest {
namespace {

using namespace game;

double EntryY(int row) { return 145 + 18 * row + 9; }

class MouseScreens : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SetPointerSource(&Source, this);
    }
    void TearDown() override {
        SetPointerSource(nullptr, nullptr);
        GameTest::TearDown();
    }
    // A movement is read once.
    static void Source(PointerReading& reading, void* user) {
        auto* self = static_cast<MouseScreens*>(user);
        reading = self->pointer_;
        self->pointer_.moved = false;
    }
    // The mouse moved there.
    void Point(double x, double y) {
        Rest(x, y);
        pointer_.moved = true;
    }
    // The pointer is there without the mouse moving (the window moved).
    void Rest(double x, double y) {
        pointer_.x = static_cast<int>(x);
        pointer_.y = static_cast<int>(y);
    }
    // Left button down for one frame, then up for one.
    void Click() {
        pointer_.buttons = 1;
        Pass();
        pointer_.buttons = 0;
        Pass();
    }
    void Wheel(int steps) {
        pointer_.wheel = steps;
        Pass();
        pointer_.wheel = 0;
    }
    PointerReading pointer_;
};

TEST_F(MouseScreens, ARestingPointerChangesNothingAndAMovingOneMovesTheArrow) {
    gameState = STATE_MENU;
    Rest(60, EntryY(3));  // where the pointer happens to rest at start
    Passes(20);
    EXPECT_EQ(0, menuIndex) << "a pointer that never moved";
    Rest(60, EntryY(2));  // the window moved under it
    Passes(20);
    EXPECT_EQ(0, menuIndex) << "a window moved under a resting pointer";
    for (int row : {1, 4, 2, 0, 3}) {
        Point(60 + row, EntryY(row));
        Pass();
        EXPECT_EQ(row, menuIndex) << "pointing at entry " << row;
    }
    Point(200, EntryY(1));  // beside the menu
    Passes(3);
    EXPECT_EQ(3, menuIndex);
    EXPECT_EQ(STATE_MENU, gameState);
}

TEST_F(MouseScreens, ALeftClickOnAMenuEntryChoosesIt) {
    const struct {
        int row;
        double state;
    } cases[] = {{0, STATE_PLAYING}, {1, STATE_OPTIONS}, {2, STATE_CREDITS}, {3, STATE_HISCORES}, {4, STATE_QUIT}};
    for (const auto& c : cases) {
        SetUpGame();
        gameState = STATE_MENU;
        Point(30, EntryY(c.row));
        Pass();
        Click();
        EXPECT_EQ(c.state, gameState) << "entry " << c.row;
    }
    // A click beside the menu chooses nothing.
    SetUpGame();
    gameState = STATE_MENU;
    Point(250, EntryY(1));
    Pass();
    Click();
    EXPECT_EQ(STATE_MENU, gameState);
}

TEST_F(MouseScreens, OptionsRowsFollowThePointerAndBackIsClicked) {
    gameState = STATE_OPTIONS;
    Point(100, 200);
    Pass();
    for (int row : {2, 0, 1, 3}) {
        Point(60, 50 + 20 * row + 4);
        Pass();
        EXPECT_EQ(row, optionsIndex) << "pointing at row " << row;
    }
    Click();
    EXPECT_EQ(STATE_MENU, gameState);
}

TEST_F(MouseScreens, ATableClickGoesBackToTheMenu) {
    gameState = STATE_HISCORES;
    Pass();
    Click();
    EXPECT_EQ(STATE_MENU, gameState);
}

TEST_F(MouseScreens, InitialsArePointedAtTurnedByTheWheelAndClickedThrough) {
    lastScore = 500;
    StartInitials();
    Point(10, 10);
    Pass();
    Point(140 + 20 * 2 + 3, 122);
    Pass();
    EXPECT_EQ(2, initialsPos);
    Wheel(1);
    EXPECT_EQ(1, initialsLetters(2)) << "B";
    Wheel(-1);
    Wheel(-1);
    EXPECT_EQ(25, initialsLetters(2)) << "Z, turned back past A";
    Point(140 + 3, 122);
    Pass();
    EXPECT_EQ(0, initialsPos);
    Wheel(1);
    Point(140 + 20 * 2 + 3, 122);
    Pass();
    Click();
    EXPECT_EQ(STATE_HISCORES, gameState) << "a click on the last letter ends the entry";
    ASSERT_GE(markedRank, 0);
    EXPECT_EQ("BAZ", std::string(HiScoreName(markedRank).Text()));
}

}  // namespace
}  // namespace gametest
