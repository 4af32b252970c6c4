// Screenshots: F12 saves the frame the game drew (the screen's own pixels,
// not the scaled window) as a PNG in the screenshots folder of the
// per-user data folder.
#pragma once
#include <ctime>
#include <string>

class OpenGLZodadodu;

// "<game>-YYYYMMDD-HHMMSS" in local time, the game's caption made a file
// name ("Aerox" gives "aerox-20261207-101502").
std::string ScreenshotName(const std::string& game, std::time_t when);

// Saves the frame drawn so far (before it is shown) into folder as
// ScreenshotName(caption, when) + ".png", or with "-2", "-3"... when that is taken;
// an existing file is never replaced. Writes a log line with the path, or
// one saying why nothing was saved, and returns the path or "".
std::string SaveScreenshot(const OpenGLZodadodu& context, const std::string& folder, std::time_t when);

// The screenshots folder of the per-user data folder.
std::string ScreenshotFolder();

// Called with F12's state at every frame: saves one screenshot per press.
void ScreenshotOnKey(const OpenGLZodadodu* context, bool keyHeld);
