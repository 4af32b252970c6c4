// Bitmap fonts: fonts 0..15 live in sprite slots 65520..65535.
#pragma once
#include "gfx/image.h"

// The engine's own font: a 128 x 64 picture of 8 x 8 cells, codes 32..127
// drawn in white with a dark outline, everything else transparent.
RgbaImage BuildBuiltinFont();
