// The offscreen frame: everything the engine draws lands in a frame of the
// screen's size, and every read of "the screen" reads that frame, so the
// window can be any size without a drawn pixel changing. Presenting scales
// the frame into the window.
#pragma once

class OpenGLZodadodu;

// Makes the frame at the screen size (or keeps it when it already has that
// size) and binds it for drawing and reading; a new frame starts black. The
// context's GL context must be current. False when the GL has no
// framebuffer objects: drawing then goes straight to the window.
bool PrepareOffscreenFrame(OpenGLZodadodu& context);
// True while the engine draws into an offscreen frame.
bool HasOffscreenFrame(const OpenGLZodadodu& context);
// Deletes the frame (its GL context current) and draws to the window again.
void ReleaseOffscreenFrame(OpenGLZodadodu& context);
// Chooses where the next frame is drawn: into the window's back buffer while
// the window is exactly the screen's size (the frame is then the back
// buffer, no copy needed), else into the offscreen frame. Called between
// frames only, so that a frame is never split between the two.
void ChooseFrameTarget(OpenGLZodadodu& context);
// Puts the frame into the window's back buffer, scaled by FramePlacement
// with nearest filtering and black bars, then binds the frame again. Does
// nothing while the frame is the back buffer. On a software GL the frame
// goes to the window through its pixel surface instead, already on screen:
// false then, true when the back buffer wants swapping.
bool ShowFrameInWindow(OpenGLZodadodu& context);
