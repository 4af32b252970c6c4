// Where the mouse commands read the pointer from. The program reads the
// window; the game's tests install a source that scripts the pointer in
// screen pixels (nullptr goes back to the window).
#pragma once

struct PointerReading {
    int x = 0;  // screen pixels
    int y = 0;
    unsigned buttons = 0;  // bit b-1: button b held
    int wheel = 0;         // steps since the last reading of the wheel
    bool moved = false;    // what MouseMoved reads
};

using PointerSource = void (*)(PointerReading& reading, void* user);
void SetPointerSource(PointerSource source, void* user);
