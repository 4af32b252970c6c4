// The few places where the fixed-pipeline GL of a desktop and the WebGL of
// a browser (under emscripten's emulation of the fixed pipeline) want
// different calls. One file per platform kind.
#pragma once

// Sets SDL's context attributes for the kind of GL the engine draws with;
// called after the attributes were reset, before a window is made.
void AskForFixedPipelineGl();

// The internal format of the engine's RGBA textures.
int RgbaTextureFormat();

// Texel rows are read from memory tightly packed, from the start.
void SetTightUnpacking();

// The quality hints of a fresh context: flat shading, the fastest choices.
void SetRenderingHints();

// Whether a frame equal to the one on the screen may be left undrawn and
// unshown (the window keeps its picture between presents).
bool KeepsUnchangedFrames();
