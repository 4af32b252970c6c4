// Where the screen shows in a window, and which whole scales a window may
// take: plain arithmetic on sizes in pixels, kept apart from SDL and GL so
// that it can be checked on its own.
#pragma once

// The largest whole scale a window may be given.
constexpr int kMaxWindowScale = 16;

struct PixelRect {
    int x = 0;  // from the left
    int y = 0;  // from the bottom, as GL counts
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The rectangle of a drawable of drawableWidth x drawableHeight that shows a
// frame of frameWidth x frameHeight: the frame grown by the largest whole
// factor that fits, centred, the rest left to black bars. A drawable smaller
// than the frame gets it shrunk to fit with its shape kept, never cropped.
PixelRect FramePlacement(int frameWidth, int frameHeight, int drawableWidth, int drawableHeight);

// The largest whole scale (1 to kMaxWindowScale) at which a frame fits in
// the area; 1 when not even that fits.
int LargestScaleFitting(int frameWidth, int frameHeight, int areaWidth, int areaHeight);

// The scale a window opens at when none is chosen: the largest whose window
// fills at most 85% of the usable area either way (at least 1).
int ComfortableScale(int frameWidth, int frameHeight, int usableWidth, int usableHeight);
