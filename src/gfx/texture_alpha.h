// Reading a texture's alpha back from the GL: desktop GL reads a texture
// directly, WebGL only through a framebuffer. One file per platform kind.
#pragma once
#include <cstdint>

// The alpha of mip level 0 of the 2D texture name, width x height, row by
// row as stored (bottom row first), one byte a texel, into alpha. Leaves
// the texture bound. False when it cannot be read.
bool ReadTextureAlpha(unsigned int name, int width, int height, uint8_t* alpha);
