// PNG encoder over libpng, for pictures the engine saves.
#pragma once
#include <cstdint>
#include <string>

// Encodes width x height RGBA pixels (rows from the top) as an 8-bit RGB
// PNG into png: alpha is dropped, since a saved screen is opaque. False
// (png empty) for a size ImageSizeAcceptable refuses or when libpng fails.
bool EncodePngRgb(int width, int height, const uint8_t* rgba, std::string& png);
