// The engine's commands: everything a game may use, and the only engine
// header the game includes. Numbers are doubles, texts are RtStrings; no
// command reports failure to the game (a failed load leaves its slot empty,
// drawing or playing an empty slot does nothing).
#pragma once
#include "runtime/numeric.h"
#include "runtime/rt_array.h"
#include "runtime/rt_string.h"
#include "userdata/userdata_commands.h"

// --- program
// Records a runtime error code (the program then ends through EndProgram).
double SetErrorCode(double code);
// Releases the engine and ends the process with exit code 0.
[[noreturn]] void EndProgram();
// Escape ends the program while this is on (the default).
void SetEscapeEnds(double on);
// Pause the game while its window is in the background (the default).
void SetAutoPause(double on);

// --- frames and time
// Presents the frame drawn since the last call at the next frame slot,
// handles window events and the quit keys, and starts a new black frame.
void ShowScreen();
// Milliseconds since the end of start-up.
double GetTimer();
// Milliseconds of the last frame (1 when no time has passed).
double GetFrameTime();
void SetFrameRate(double framesPerSecond);
void SetScreenMode(double width, double height, double bitsPerPixel, double fullScreen);
void Viewport(double x, double y, double width, double height);

// --- sprites and drawing
// Loads a BMP or PNG file into a sprite slot; red 255, green 0, blue 128
// is transparent.
void LoadSprite(RtString path, double slot);
// Blending for what is drawn next: 0 opaque, above 0 additive at that
// brightness, below 0 transparent at that opacity.
void AlphaMode(double value);
void DrawSprite(double slot, double x, double y);
void StretchSprite(double slot, double x, double y, double width, double height);
void ZoomSprite(double slot, double x, double y, double xFactor, double yFactor);
void RotoSprite(double slot, double x, double y, double angle);
void RotoZoomSprite(double slot, double x, double y, double angle, double scale);
// Colours are 0x00BBGGRR.
void DrawPixel(double x, double y, double colour);
void DrawLine(double x1, double y1, double x2, double y2, double colour);
void DrawRect(double x1, double y1, double x2, double y2, double colour);
double GetPixel(double x, double y);
void GetSpriteSize(double slot, double& width, double& height);
void GrabSprite(double slot, double x, double y, double width, double height);
void LoadBackground(RtString path);
void ScreenToBackground();
void ClearScreen();
void GetScreenSize(double& width, double& height);
// 1 when the two placed sprites share a covered pixel, else 0.
double SpriteCollision(double slot1, double x1, double y1, double slot2, double x2, double y2);

// --- text
void LoadFont(RtString path, double font);
void SetFont(double font);
void PrintText(const RtString& text, double x, double y);
void PrintNumber(double number, double x, double y);
void GetFontSize(double& width, double& height);

// --- sound
void LoadSound(RtString path, double slot, double buffers);
// Pan -1 (left) .. 1 (right), volume 0 .. 1. Returns the play handle
// (slot * 256 + buffer), or -1 when nothing was played.
double PlaySound(double slot, double pan, double volume);
double SoundPlaying(double handle);
void StopSounds();

// --- keyboard
// 1 while the key with this scan code (PC set 1; extended keys at 0x80 plus
// the code) is held, else 0.
double KeyDown(double scanCode);
