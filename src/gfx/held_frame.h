// A frame held back until it is presented. A whole program's frame that
// uses only the engine's sprite, text and state commands is kept as a list
// of GL calls; at the present, a list equal to the one of the frame on the
// screen is neither drawn nor shown again (a software renderer would
// rasterise and copy the same picture once more). Anything else that
// touches GL draws what is held first (DrawHeldFrameNow), and the rest of
// that frame goes to GL directly. Off unless the program turns it on.
#pragma once
#include <SDL_opengl.h>

// The GL calls of the held frame: straight to GL while nothing is held.
namespace held {
void Clear(GLbitfield mask);
void Enable(GLenum cap);
void Disable(GLenum cap);
void BlendFunc(GLenum source, GLenum destination);
void AlphaFunc(GLenum function, float reference);
void Color4f(float r, float g, float b, float a);
void ClearColor(float r, float g, float b, float a);
void BindTexture(GLenum target, GLuint name);
void ActiveTexture(GLenum unit);  // through the multitexture entry point
void Begin(GLenum mode);
void End();
void TexCoord2f(float s, float t);
void Vertex2f(float x, float y);
void Viewport(int x, int y, int width, int height);
void MatrixMode(GLenum mode);
void LoadIdentity();
void OrthoScreen(int width, int height);  // glOrtho(0, width, -height, 0, -1, 1)
void FrontFace(GLenum mode);
void Hint(GLenum target, GLenum mode);
void ShadeModel(GLenum mode);
}  // namespace held

// Holding on or off (off: every call goes to GL at once, as it always did).
void EnableHeldFrames(bool on);
// A new frame starts (the presenter's clear comes next): hold its calls.
void BeginHeldFrame();
// Something outside the held calls is about to use GL: draw what is held
// and go direct for the rest of the frame; the screen is then no longer
// known to show a held frame.
void DrawHeldFrameNow();
// The frame is being presented. True: it equals the frame on the screen and
// was not drawn (nothing to show). False: it was drawn, show it.
bool FinishHeldFrame();
// The window's picture may be gone or changed (exposed, resized, switched):
// the next frame is drawn and shown whatever it holds.
void ForgetShownFrame();
// A game command by name (RequireEngine's): one whose GL calls are not held
// draws the held frame first.
void HeldFrameCommand(const char* command);
