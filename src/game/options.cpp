// The OPTIONS screen: settings that apply at once, and the list of controls.
#include <iterator>

#include "game/game_state.h"

namespace game {

namespace {
// One changeable row per setting, then Back. Up and Down choose a row,
// Left and Right change its setting.
constexpr double ROW_SCALE = 0;
constexpr double ROW_FULLSCREEN = 1;
constexpr double ROW_VOLUME = 2;
constexpr double ROW_BACK = 3;
constexpr double kRows[] = {ROW_SCALE, ROW_FULLSCREEN, ROW_VOLUME, ROW_BACK};
constexpr double kRowCount = static_cast<double>(std::size(kRows));

constexpr double kFirstRowY = 50;
constexpr double kRowStep = 20;
constexpr double kLabelX = 40;
constexpr double kValueX = 200;

// The controls: what each does, its key and its gamepad button.
struct ControlLine {
    const char* action;
    const char* key;
    const char* pad;
};
// clang-format off
constexpr ControlLine kControls[] = {
    {"CONTROLS",    "KEYS",   "GAMEPAD"},
    {"move",        "Arrows", "D-pad/stick"},
    {"fire",        "Ctrl",   "A"},
    {"choose",      "Return", "A, Start"},
    {"back / quit", "Escape", ""},
    {"full screen", "F11",    ""},
    {"screenshot",  "F12",    ""},
};
// clang-format on
constexpr double kActionX = 10;
constexpr double kKeyX = 130;
constexpr double kPadX = 200;

// The volume in tenths, 0 .. 10: the nearest step to the mix's volume.
double VolumeSteps() {
    double best = 0;
    for (double s = 1; s <= 10; ++s)
        if (Abs(GetMasterVolume() * 10 - s) < Abs(GetMasterVolume() * 10 - best)) best = s;
    return best;
}

RtString RowLabel(double row) {
    if (row == ROW_SCALE) return "WINDOW SCALE";
    if (row == ROW_FULLSCREEN) return "FULL SCREEN";
    if (row == ROW_VOLUME) return "VOLUME";
    return "BACK";
}

RtString RowValue(double row) {
    if (row == ROW_SCALE) return RtString("x") + NumberText(GetWindowScale());
    if (row == ROW_FULLSCREEN) return GetFullscreen() != 0 ? "ON" : "OFF";
    if (row == ROW_VOLUME) return NumberText(VolumeSteps() * 10) + "%";
    return "";
}

void ChangeRow(double row, double direction) {
    if (row == ROW_SCALE) {
        // The engine keeps the scale within what the display can show.
        SetWindowScale(GetWindowScale() + direction);
    } else if (row == ROW_FULLSCREEN) {
        SetFullscreen(GetFullscreen() != 0 ? 0 : 1);
    } else if (row == ROW_VOLUME) {
        double steps = VolumeSteps() + direction;
        if (steps < 0) steps = 0;
        if (steps > 10) steps = 10;
        SetMasterVolume(steps / 10);
    }
}
// The row under the pointer (its text and a little above and below), or -1.
double RowAt(double x, double y) {
    const double top = kFirstRowY - 5;
    if (Inside(x, y, 0, top, 320, top + kRowStep * kRowCount) == 0) return -1;
    return Band(y - top, kRowStep);
}
}  // namespace

void OptionsScreen() {
    PrintCentred("OPTIONS", 20);
    for (double i = 0; i < kRowCount; ++i) {
        const double y = kFirstRowY + kRowStep * i;
        if (i == optionsIndex) PrintText(">", kLabelX - 20, y);
        PrintText(RowLabel(kRows[static_cast<int>(i)]), kLabelX, y);
        const RtString value = RowValue(kRows[static_cast<int>(i)]);
        if (Len(value) > 0) PrintText(value, kValueX, y);
    }
    double y = kFirstRowY + kRowStep * kRowCount + 5;
    for (const ControlLine& line : kControls) {
        PrintText(line.action, kActionX, y);
        PrintText(line.key, kKeyX, y);
        if (line.pad[0] != '\0') PrintText(line.pad, kPadX, y);
        y += 14;
    }

    ReadPresses(INPUT_DELAY);
    // The mouse: pointing chooses a row; a left click acts on it as Return
    // does and steps a setting up, a right click steps it down, and so
    // does the wheel.
    const MouseReading mouse = ReadMouse();
    const double pointed = RowAt(mouse.x, mouse.y);
    if (pointed >= 0 && (mouse.moved == 1 || mouse.leftClick == 1 || mouse.rightClick == 1 || mouse.wheel != 0))
        optionsIndex = pointed;
    const double row = kRows[static_cast<int>(optionsIndex)];
    const double leftClick = pointed >= 0 ? mouse.leftClick : 0;
    const double rightClick = pointed >= 0 ? mouse.rightClick : 0;
    if (buttons(BTN_BACK) == 1 || (row == ROW_BACK && (ChoosePressed() == 1 || leftClick == 1))) {
        gameState = STATE_MENU;
        return;
    }
    if (row == ROW_FULLSCREEN && leftClick == 1) ChangeRow(row, 1);
    if ((row == ROW_SCALE || row == ROW_VOLUME) && (leftClick == 1 || rightClick == 1))
        ChangeRow(row, leftClick - rightClick);
    if (pointed >= 0 && mouse.wheel != 0 && row != ROW_BACK) ChangeRow(row, mouse.wheel > 0 ? 1 : -1);
    if (row == ROW_FULLSCREEN && ChoosePressed() == 1) ChangeRow(row, 1);
    if (buttons(BTN_LEFT) == 1) ChangeRow(row, -1);
    if (buttons(BTN_RIGHT) == 1) ChangeRow(row, 1);
    if (buttons(BTN_UP) == 1) optionsIndex = optionsIndex > 0 ? optionsIndex - 1 : kRowCount - 1;
    if (buttons(BTN_DOWN) == 1) optionsIndex = optionsIndex < kRowCount - 1 ? optionsIndex + 1 : 0;
}

}  // namespace game
