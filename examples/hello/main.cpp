// Hello: the smallest whole game on the engine. A sprite it draws itself,
// moved with the arrow keys, a line of text, a beep on Return; Escape ends it.
#include <aerox/aerox.h>

namespace {

// Scan codes (PC set 1; the arrows are extended keys, 0x80 plus the code).
constexpr double kReturn = 0x1C;
constexpr double kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD;
constexpr double kSprite = 1, kBeep = 1;
constexpr double kSide = 16;

// A yellow ball with an outline, drawn on the screen and grabbed into a
// sprite slot; the key colour (red 255, blue 128) around it is transparent.
void MakeBall() {
    DrawRect(0, 0, kSide - 1, kSide - 1, 0x8000FF);
    for (double y = 0; y < kSide; ++y) {
        for (double x = 0; x < kSide; ++x) {
            const double dx = x - 7.5, dy = y - 7.5, d = dx * dx + dy * dy;
            if (d < 49) DrawPixel(x, y, d < 30 ? 0x00E0FF : 0x0060A0);
        }
    }
    GrabSprite(kSprite, 0, 0, kSide, kSide);
    ClearScreen();
}

void Game() {
    MakeBall();
    LoadSound("beep.wav", kBeep, 2);
    double width = 0, height = 0;
    GetScreenSize(width, height);
    double x = (width - kSide) / 2, y = (height - kSide) / 2;
    for (;;) {
        // Two pixels a frame; the ball stays on the screen.
        x += 2 * (KeyDown(kRight) - KeyDown(kLeft));
        y += 2 * (KeyDown(kDown) - KeyDown(kUp));
        x = x < 0 ? 0 : (x > width - kSide ? width - kSide : x);
        y = y < 0 ? 0 : (y > height - kSide ? height - kSide : y);
        if (KeyPressed(kReturn) > 0) PlaySound(kBeep, 0, 1);
        DrawRect(0, 0, width - 1, height - 1, 0x402010);
        PrintText("HELLO", 8, 8);
        PrintText("ARROWS MOVE, RETURN BEEPS", 8, height - 16);
        DrawSprite(kSprite, x, y);
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Hello";
    settings.version = "1.0";
    settings.screenWidth = 256;
    settings.screenHeight = 192;
    return RunGame(argc, argv, settings, &Game);
}
