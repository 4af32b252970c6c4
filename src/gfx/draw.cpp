#include "gfx/draw.h"

#include "commands.h"
#include "runtime/command_trace.h"
#include "runtime/engine_context.h"
#include "runtime/engine_globals.h"

// Placeholder until drawing lands.

void BindSpriteTexture(OpenGLZodadodu&, int, int, int, const unsigned int*) {}
void DrawBackgroundImage(OpenGLZodadodu&, int) {}

void LoadSprite(RtString path, double slot) { TraceCommand("LoadSprite", {slot}, path.Text()); }
void AlphaMode(double value) { TraceCommand("AlphaMode", {value}); }
void DrawSprite(double slot, double x, double y) { TraceCommand("DrawSprite", {slot, x, y}); }
void StretchSprite(double, double, double, double, double) {}
void ZoomSprite(double, double, double, double, double) {}
void RotoSprite(double, double, double, double) {}
void RotoZoomSprite(double, double, double, double, double) {}
void DrawPixel(double, double, double) {}
void DrawLine(double, double, double, double, double) {}
void DrawRect(double, double, double, double, double) {}
double GetPixel(double, double) { return 0; }
void GetSpriteSize(double, double& width, double& height) { width = height = 0; }
void GrabSprite(double, double, double, double, double) {}
void LoadBackground(RtString) {}
void ScreenToBackground() {}
void ClearScreen() {}
void GetScreenSize(double& width, double& height) {
    width = g_engine != nullptr ? g_engine->screenWidth : 0;
    height = g_engine != nullptr ? g_engine->screenHeight : 0;
}
double SpriteCollision(double s1, double x1, double y1, double s2, double x2, double y2) {
    TraceCommand("SpriteCollision", {s1, x1, y1, s2, x2, y2});
    return 0;
}
void LoadFont(RtString, double) {}
void SetFont(double) {}
void PrintText(const RtString& text, double x, double y) { TraceCommand("PrintText", {x, y}, text.Text()); }
void PrintNumber(double number, double x, double y) { TraceCommand("PrintNumber", {number, x, y}); }
void GetFontSize(double& width, double& height) { width = height = 8; }
