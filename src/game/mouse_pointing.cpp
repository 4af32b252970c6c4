// The mouse on the menu and the text screens: a reading per frame that
// tells movement and clicks apart from a pointer merely resting where it is.
#include "game/game_state.h"

namespace game {

MouseReading ReadMouse() {
    MouseReading r{};
    r.moved = MouseMoved();
    r.x = MouseX();
    r.y = MouseY();
    const double left = MouseButton(1);
    const double right = MouseButton(3);
    r.leftClick = left == 1 && mouseLeftHeld == 0 ? 1 : 0;
    r.rightClick = right == 1 && mouseRightHeld == 0 ? 1 : 0;
    mouseLeftHeld = left;
    mouseRightHeld = right;
    r.wheel = MouseWheel();
    return r;
}

void ResetMouse() {
    MouseMoved();
    MouseWheel();
    mouseLeftHeld = 1;
    mouseRightHeld = 1;
}

double Inside(double x, double y, double left, double top, double right, double bottom) {
    return x >= left && x < right && y >= top && y < bottom ? 1 : 0;
}

double Band(double offset, double step) { return (offset - Mod(offset, step)) / step; }

}  // namespace game
