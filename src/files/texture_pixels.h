// Reading a whole texture back from the GL for saving a sprite: desktop GL
// reads a texture directly, WebGL only through a framebuffer. One file per
// platform kind.
#pragma once
#include <cstdint>

// Mip level 0 of the 2D texture name, width x height RGBA texels, rows as
// stored (bottom row first), into rgba. Leaves the texture bound. False
// when it cannot be read.
bool ReadTextureRgba(unsigned int name, int width, int height, uint8_t* rgba);
