// Every picture and sound of the game.
#pragma once

#include <string>
#include <vector>

#include "aerox/assets/formats.hpp"
#include "aerox/assets/image.hpp"

namespace aerox::assets {

// Aircraft (aircraft.cpp). Frames are 0-based.
inline constexpr int kPlayerFrames = 3;
inline constexpr int kEnemyFrames = 7;  // enemy11 .. enemy17
Image makePlayer(int frame);            // 64x64, nose up
Image makeEnemy(int frame);             // 32x32, nose down, propeller turning
Image makeHeavyEnemy();                 // 32x32, nose down
// The player's jet without the exhaust flame, at 1:1, for the title picture.
Image makePlayerBody();

// Effects (effects.cpp).
inline constexpr int kBigExplosionFrames = 7;
inline constexpr int kSmallExplosionFrames = 6;
Image makeShot();                       // 32x32, bullet centred
Image makeBigExplosion(int frame);      // 64x64
Image makeSmallExplosion(int frame);    // 32x32

// Scenery (scenery.cpp).
Image makeWater(int frame);             // 32x32, frame 0 or 1, tiles seamlessly
Image makeIsland(int which);            // 64x64, which = 0, 1, 2

// Menu (menu.cpp).
inline constexpr int kMenuLineSpacing = 18;
inline constexpr int kMenuTextX = 20;
extern const std::vector<std::string> kMenuLabels;
Image makeTitle();                      // drawn additively on the menu
Image makeMenuText();
Image makeArrow();                      // 16x16

// Font (font.cpp): 160x80, 16x8 cells of 10x10, black is transparent.
inline constexpr int kFontCell = 10;
Image makeFont();
// The glyph's 5x8 body grid ('#' = ink, '.' = empty), rows 0..6 cap height,
// row 7 for descenders. Empty for codes without a glyph.
Grid glyphRows(int code);
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 8;

// Desktop icon (icon.cpp): size 48 or 64, keyed outside the rounded tile.
Image makeIcon(int size);
// Each pixel becomes a factor x factor block.
Image scaleUp(const Image& src, int factor);

// Sounds (sound.cpp).
Sound makeShotSound();
Sound makeSmallExplosionSound();
Sound makeBigExplosionSound();

}  // namespace aerox::assets
