// How the menu and the text screens read their buttons: by presses, so that
// a tap between two readings is not lost, a held key repeats only after a
// pause, and a key still held from the screen before does nothing here.
#include "game/game_state.h"

namespace game {

namespace {
struct ButtonKey {
    double button;
    double scanCode;
};
constexpr ButtonKey kScreenKeys[] = {
    {BTN_LEFT, 203}, {BTN_RIGHT, 205}, {BTN_UP, 200}, {BTN_DOWN, 208}, {BTN_SELECT, 28}, {BTN_FIRE, 29}, {BTN_BACK, 1},
};
constexpr double kNever = 1e300;
}  // namespace

void ClearPressReader() {
    Dim(buttonRepeatAt, BUTTON_COUNT);
    Dim(buttonPending, BUTTON_COUNT);
    for (double i = 0; i < BUTTON_COUNT; ++i) buttonRepeatAt(i) = kNever;
}

// A held key repeats only after a press that this screen has seen, so a
// key held from the screen before waits for its release.
void ResetPresses() {
    for (const ButtonKey& key : kScreenKeys) {
        KeyPressed(key.scanCode);
        buttonRepeatAt(key.button) = kNever;
        buttonPending(key.button) = 0;
    }
}

void ReadPresses(double period) {
    for (double i = 0; i < Bounds(buttons, 0); ++i) buttons(i) = 0;
    if (period > 0 && GetTimer() - period < lastInputTime) return;
    const double now = GetTimer();
    lastInputTime = now;
    for (const ButtonKey& key : kScreenKeys) {
        const double b = key.button;
        const double presses = KeyPressed(key.scanCode) + buttonPending(b);
        const double held = KeyDown(key.scanCode);
        if (presses > 0) {
            // One press a reading: two quick taps between readings act at
            // this one and the next.
            buttons(b) = 1;
            buttonPending(b) = presses - 1;
            buttonRepeatAt(b) = now + REPEAT_DELAY;
        } else if (held == 0) {
            buttonRepeatAt(b) = kNever;
        } else if (now >= buttonRepeatAt(b)) {
            buttons(b) = 1;
        }
    }
}

double ChoosePressed() { return buttons(BTN_SELECT) == 1 || buttons(BTN_FIRE) == 1 ? 1 : 0; }

}  // namespace game
