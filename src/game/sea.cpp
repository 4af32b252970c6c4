// The level map and the scrolling sea of water tiles and islands.
#include "game/game_state.h"

namespace game {

namespace {
constexpr double kMapRows = 60;
constexpr double kTile = 32;

// Rows of the map that are not open sea; "C", "D" and "E" are islands.
struct MapRow {
    double row;
    const char* text;
};
constexpr MapRow kIslandRows[] = {
    {12, "AAAAADAAAA"}, {17, "AADAAAAAAA"}, {20, "AAAAAACAAA"}, {26, "ADAAAAAAAA"},
    {31, "AAAAEAAAAA"}, {35, "AAAAADAAAA"}, {38, "AAAAAAAAAE"}, {39, "ADAAAAAAAA"},
    {42, "AAAAAAAAEA"}, {47, "AADAAAAAAA"}, {50, "AAAAAACAAA"},
};

void DrawIsland(double sprite, double column, double row, double offset) {
    // An island covers its cell and the cells above and to the left.
    DrawSprite(sprite, kTile * (column - 1), kTile * (row - 1) - offset);
}
}  // namespace

void BuildLevelMap() {
    Dim(levelMap, kMapRows);
    for (double row = 0; row < kMapRows; ++row) {
        const char* text = "AAAAAAAAAA";
        for (const MapRow& island : kIslandRows)
            if (island.row == row) text = island.text;
        levelMap(row) = text;
    }
}

void DrawBackground() {
    // Past the top of the map the view wraps back one row, so row 0 is
    // never shown and the sea scrolls on forever.
    if (scrollPos < kTile) scrollPos += kTile;
    const double top = scrollPos / kTile;
    const double offset = Mod(scrollPos, kTile);
    const double water = Mod(waterTick, 2) == 1 ? SPR_WATER1 : SPR_WATER2;
    for (double row = 0; row <= 8; ++row) {
        const RtString& line = levelMap(top + row);
        for (double column = 0; column <= 9; ++column) {
            const RtString ch = Mid(line, column, 1);
            DrawSprite(water, kTile * column, kTile * row - offset);
            if (ch == "C") DrawIsland(SPR_ISLAND1, column, row, offset);
            if (ch == "D") DrawIsland(SPR_ISLAND2, column, row, offset);
            if (ch == "E") DrawIsland(SPR_ISLAND3, column, row, offset);
        }
    }
    waterTick += 1;
}

}  // namespace game
