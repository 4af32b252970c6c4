// The numbered sprite store of the engine context.
#pragma once
#include <cstdint>
#include <string>

#include "gfx/image.h"

class OpenGLZodadodu;
struct SpriteSlot;

// A command's number truncated toward zero; NaN gives 0 and values beyond
// +-2^30 are held there, so sums of positions and sizes cannot overflow.
int TruncateNumber(double value);
// The slot for a command's slot number, or nullptr outside 0..65535.
SpriteSlot* SlotFor(OpenGLZodadodu& context, double number);

// Empties a slot: deletes its textures (while the GL is ready), forgets its
// sizes and frees its collision mask.
void ClearSpriteSlot(OpenGLZodadodu& context, int slot);
// Decodes a BMP or PNG file into the slot (emptied first, also on failure).
bool LoadSpriteFile(OpenGLZodadodu& context, int slot, const std::string& path, uint32_t colourKey);
// Uploads a decoded picture into the slot: sprites get both textures,
// fonts (slots 65520 and up) only the nearest-filtered one.
bool StoreSpriteImage(OpenGLZodadodu& context, int slot, const RgbaImage& image);
// The collision mask of a picture laid out for a textureWidth-wide texture.
void BuildCollisionMask(SpriteSlot& slot, const RgbaImage& image);
