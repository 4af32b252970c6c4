// The one palette every picture draws from. Each colour has a one-character
// code used in the art grids.
#pragma once

#include <span>
#include <string_view>

#include "aerox/assets/image.hpp"

namespace aerox::assets {

struct PaletteEntry {
    char code;
    std::string_view name;
    Rgb colour;
};

std::span<const PaletteEntry> palette();

// Colour for a grid code; throws std::invalid_argument for unknown codes.
Rgb colourOf(char code);
bool isPaletteCode(char code);

// Shorthand used by procedural art: colourOf(code).
inline Rgb pc(char code) { return colourOf(code); }

}  // namespace aerox::assets
