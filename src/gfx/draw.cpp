#include "gfx/draw.h"

#include "commands.h"
#include "runtime/engine_context.h"
#include "runtime/engine_globals.h"

// Placeholder until drawing lands.

void BindSpriteTexture(OpenGLZodadodu&, int, int, int, const unsigned int*) {}
void DrawBackgroundImage(OpenGLZodadodu&, int) {}

void LoadSprite(RtString, double) {}
void AlphaMode(double) {}
void DrawSprite(double, double, double) {}
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
double SpriteCollision(double, double, double, double, double, double) { return 0; }
void LoadFont(RtString, double) {}
void SetFont(double) {}
void PrintText(const RtString&, double, double) {}
void PrintNumber(double, double, double) {}
void GetFontSize(double& width, double& height) { width = height = 8; }
