// Turning decoded pictures into GL textures.
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/image.h"

// Smallest power of two not below size, never below 2.
int TextureSideFor(int size);

// Gives every fully transparent texel the average colour of its opaque
// neighbours (those strictly inside the texture), so that linear filtering
// does not darken the edges of a sprite. Alpha stays 0.
void BleedEdges(std::vector<uint8_t>& texels, int width, int height);

// Halves an RGBA level (each side at least 1) with a 2 x 2 average.
std::vector<uint8_t> NextMipLevel(const std::vector<uint8_t>& level, int width, int height);

// The region of the image laid out upside down (texture row 0 = the
// region's bottom row) in a zero-filled texture of the given size.
std::vector<uint8_t> LayOutTexture(const RgbaImage& image, int x, int y, int width, int height, int textureWidth,
                                   int textureHeight);

struct UploadedTexture {
    unsigned int spriteTexture = 0;
    unsigned int mipTexture = 0;  // only when asked for
    int textureWidth = 0;
    int textureHeight = 0;
    int regionWidth = 0;
    int regionHeight = 0;
};

// Uploads a region of the image (width or height 0: up to the image's
// edge). spriteTexture / mipTexture name the old textures to replace (0 for
// none); withMip adds the mipmap texture. Fonts get nearest filtering and no
// edge bleeding. False when the region is empty.
bool UploadTexture(const RgbaImage& image, int x, int y, int width, int height, UploadedTexture& result, bool withMip,
                   bool font);

// The largest texture side the GL accepts.
int MaxTextureSize();
