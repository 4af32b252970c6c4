// The BMP the engine saves: 24 bits a pixel, rows bottom first, no
// compression, which every reader (the engine's own included) takes.
#pragma once
#include <cstdint>
#include <string>

// Encodes width x height RGBA pixels (rows from the top) as a 24-bit BMP
// into bmp; alpha is dropped. False (bmp empty) for a size
// ImageSizeAcceptable refuses.
bool EncodeBmpRgb(int width, int height, const uint8_t* rgba, std::string& bmp);
