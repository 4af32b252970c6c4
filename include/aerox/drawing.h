// The game-facing commands of sprites, drawing and text (gathered in
// commands.h).
#pragma once
#include "aerox/text.h"

// --- sprites and drawing
// Loads a BMP or PNG file into a sprite slot; red 255, green 0, blue 128
// is transparent.
void LoadSprite(const RtString& path, double slot);
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
void LoadBackground(const RtString& path);
void ScreenToBackground();
void ClearScreen();
void GetScreenSize(double& width, double& height);
// 1 when the two placed sprites share a covered pixel, else 0.
double SpriteCollision(double slot1, double x1, double y1, double slot2, double x2, double y2);

// --- the window (the screen itself stays its size; only its view grows)
// Sizes the window to the screen times a whole scale, clamped to
// 1..GetMaxWindowScale(); in full screen, for the return to the window.
void SetWindowScale(double scale);
// The whole factor the screen is shown at now.
double GetWindowScale();
// The largest scale whose window fits the display.
double GetMaxWindowScale();
// Non-zero: desktop full screen (the display mode stays); 0: the window.
void SetFullscreen(double on);
// 1 while the window fills the screen, else 0.
double GetFullscreen();

// --- text
void LoadFont(const RtString& path, double font);
void SetFont(double font);
void PrintText(const RtString& text, double x, double y);
void PrintNumber(double number, double x, double y);
void GetFontSize(double& width, double& height);
