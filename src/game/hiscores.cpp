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
    if (ChoosePressed() == 1 || buttons(BTN_BACK) == 1) {
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
    if (buttons(BTN_BACK) == 1) {
        // Leaving the entry still keeps the score, without initials.
        AddHiScore(lastScore, "");
        gameState = STATE_MENU;
        return;
    }
    double& letter = initialsLetters(initialsPos);
    if (buttons(BTN_UP) == 1) letter = letter + 1 < kLetterCount ? letter + 1 : 0;
    if (buttons(BTN_DOWN) == 1) letter = letter > 0 ? letter - 1 : kLetterCount - 1;
    if (buttons(BTN_LEFT) == 1 && initialsPos > 0) initialsPos -= 1;
    if (buttons(BTN_RIGHT) == 1 && initialsPos < INITIALS_LENGTH - 1) initialsPos += 1;
    if (ChoosePressed() == 1) {
        if (initialsPos < INITIALS_LENGTH - 1) {
            initialsPos += 1;
        } else {
            markedRank = AddHiScore(lastScore, Initials());
            gameState = STATE_HISCORES;
        }
    }
}

}  // namespace game
