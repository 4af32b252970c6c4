// The HI-SCORES table and the arcade-style entry of three initials after a
// game over whose score makes the table.
#include "game/game_state.h"

namespace game {

namespace {
constexpr const char* kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr double kLetterCount = 26;

constexpr double kTableX = 60;
constexpr double kFirstRowY = 45;
constexpr double kRowStep = 17;
constexpr double kFirstLetterX = 140;
constexpr double kLetterStep = 20;
constexpr double kLettersY = 120;

// The text right-aligned in width characters.
RtString RightAligned(const RtString& text, double width) {
    RtString out = text;
    while (Len(out) < width) out = RtString(" ") + out;
    return out;
}

// The letter under the pointer (the letter and the caret below it), or -1.
double LetterAt(double x, double y) {
    const double left = kFirstLetterX - 5;
    if (Inside(x, y, left, kLettersY - 8, left + kLetterStep * INITIALS_LENGTH, kLettersY + 22) == 0) return -1;
    return Band(x - left, kLetterStep);
}

RtString Initials() {
    RtString name;
    for (double i = 0; i < INITIALS_LENGTH; ++i) name += Mid(kLetters, initialsLetters(i), 1);
    return name;
}
}  // namespace

void HiScoresScreen() {
    PrintCentred("HI-SCORES", 20);
    for (double rank = 0; rank < HISCORE_ROWS; ++rank) {
        const double y = kFirstRowY + kRowStep * rank;
        RtString row = RightAligned(NumberText(rank + 1), 2) + ".  ";
        if (rank < HiScoreCount())
            row += RightAligned(HiScoreName(rank), 3) + RightAligned(NumberText(HiScoreValue(rank)), 10);
        else
            row += "---";
        PrintText(row, kTableX, y);
        if (rank == markedRank) PrintText(">", kTableX - 20, y);
    }
    ReadPresses(INPUT_DELAY);
    // The table has nothing to choose: a left click anywhere goes back.
    const MouseReading mouse = ReadMouse();
    if (ChoosePressed() == 1 || buttons(BTN_BACK) == 1 || mouse.leftClick == 1) {
        markedRank = -1;
        gameState = STATE_MENU;
    }
}

void StartInitials() {
    for (double i = 0; i < INITIALS_LENGTH; ++i) initialsLetters(i) = 0;
    initialsPos = 0;
    gameState = STATE_INITIALS;
}

void InitialsScreen() {
    PrintText("GAME OVER", 120, 50);
    PrintCentred(RtString("NEW HI-SCORE ") + NumberText(lastScore), 80);
    for (double i = 0; i < INITIALS_LENGTH; ++i) {
        const double x = kFirstLetterX + kLetterStep * i;
        PrintText(Mid(kLetters, initialsLetters(i), 1), x, kLettersY);
        if (i == initialsPos) PrintText("^", x, kLettersY + 12);
    }
    PrintCentred("UP/DOWN LETTER  RETURN NEXT", 200);

    ReadPresses(INPUT_DELAY);
    // The mouse: pointing at a letter moves the caret there, the wheel
    // turns it, and a left click on it chooses it as Return does.
    const MouseReading mouse = ReadMouse();
    const double pointed = LetterAt(mouse.x, mouse.y);
    if (pointed >= 0 && (mouse.moved == 1 || mouse.leftClick == 1 || mouse.wheel != 0)) initialsPos = pointed;
    const double clicked = pointed >= 0 ? mouse.leftClick : 0;
    if (buttons(BTN_BACK) == 1) {
        // Leaving the entry still keeps the score, without initials.
        AddHiScore(lastScore, "");
        gameState = STATE_MENU;
        return;
    }
    double& letter = initialsLetters(initialsPos);
    if (buttons(BTN_UP) == 1) letter = letter + 1 < kLetterCount ? letter + 1 : 0;
    if (buttons(BTN_DOWN) == 1) letter = letter > 0 ? letter - 1 : kLetterCount - 1;
    if (pointed >= 0 && mouse.wheel > 0) letter = letter + 1 < kLetterCount ? letter + 1 : 0;
    if (pointed >= 0 && mouse.wheel < 0) letter = letter > 0 ? letter - 1 : kLetterCount - 1;
    if (buttons(BTN_LEFT) == 1 && initialsPos > 0) initialsPos -= 1;
    if (buttons(BTN_RIGHT) == 1 && initialsPos < INITIALS_LENGTH - 1) initialsPos += 1;
    if (ChoosePressed() == 1 || clicked == 1) {
        if (initialsPos < INITIALS_LENGTH - 1) {
            initialsPos += 1;
        } else {
            markedRank = AddHiScore(lastScore, Initials());
            gameState = STATE_HISCORES;
        }
    }
}

}  // namespace game
