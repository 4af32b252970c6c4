#include "aerox/assets/palette.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace aerox::assets {
namespace {

// Cool darks, warm lights. Ordered roughly by family; the code letters are
// chosen to be guessable in the grids (lower case = darker shade).
constexpr std::array<PaletteEntry, 30> kPalette{{
    {'.', "key", kColourKey},
    {'k', "outline", {20, 18, 30}},
    {'K', "charcoal", {56, 52, 68}},
    {'s', "slate", {78, 86, 108}},
    {'g', "grey", {110, 112, 128}},
    {'G', "silver", {166, 170, 184}},
    {'w', "white", {244, 244, 238}},
    {'n', "navy", {18, 38, 86}},
    {'b', "sea", {30, 74, 146}},
    {'B', "sky", {62, 124, 200}},
    {'c', "cyan", {122, 194, 234}},
    {'C', "foam", {206, 238, 250}},
    {'d', "forest", {26, 74, 42}},
    {'e', "green", {52, 124, 50}},
    {'E', "lime", {120, 184, 66}},
    {'o', "bark", {84, 54, 30}},
    {'O', "brown", {142, 94, 52}},
    {'y', "dune", {186, 148, 88}},
    {'Y', "sand", {232, 206, 138}},
    {'r', "maroon", {128, 24, 34}},
    {'R', "red", {212, 52, 40}},
    {'a', "orange", {242, 130, 34}},
    {'A', "gold", {250, 206, 60}},
    {'W', "cream", {255, 246, 184}},
    {'v', "olive", {84, 96, 40}},
    {'V', "khaki", {142, 154, 72}},
    {'m', "plum", {78, 40, 104}},
    {'M', "violet", {142, 84, 170}},
    {'l', "lilac", {196, 156, 220}},
    {'t', "teal", {34, 110, 128}},
}};

}  // namespace

std::span<const PaletteEntry> palette() { return kPalette; }

bool isPaletteCode(char code) {
    for (const auto& e : kPalette)
        if (e.code == code) return true;
    return false;
}

Rgb colourOf(char code) {
    for (const auto& e : kPalette)
        if (e.code == code) return e.colour;
    throw std::invalid_argument(std::string("unknown palette code '") + code + "'");
}

}  // namespace aerox::assets
