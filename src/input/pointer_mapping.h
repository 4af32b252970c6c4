// Where the pointer is on the game's screen: the window's pointer position
// (in window coordinates) through the drawable's pixel density, the scale
// and the black bars of FramePlacement, back to screen pixels. Arithmetic
// only, so that every window shape can be checked without one.
#pragma once

struct WindowShape {
    int windowWidth = 0;  // in window coordinates, which the pointer uses
    int windowHeight = 0;
    int drawableWidth = 0;  // in pixels (larger on a high-density display)
    int drawableHeight = 0;
    int screenWidth = 0;  // the game's screen, e.g. 320x240
    int screenHeight = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The screen pixel under the pointer at (x, y) of the window; a pointer on
// the bars or outside the window is clamped to the nearest edge pixel.
// (0, 0) when any size is not positive (a minimised window).
ScreenPoint ScreenPointFromWindow(const WindowShape& shape, int x, int y);

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect&) const = default;
};

// The window-coordinate rectangle that shows the screen rectangle, for
// telling an input method where its candidates may go. Clipped to the
// picture; all 0 when any size is not positive.
WindowRect WindowRectFromScreen(const WindowShape& shape, int x, int y, int width, int height);
