// Loading the game's pictures and sounds into their numbered engine slots.
#include "game/game_state.h"

namespace game {

namespace {
// "data/<stem><number>.bmp"
RtString NumberedFile(const char* stem, double number) {
    return RtString("data/") + stem + NumberText(number) + ".bmp";
}
}  // namespace

void LoadResources() {
    PrintText("Loading...", 10, 50);
    ShowScreen();

    // Animation frames are numbered from SPR_ANIM_BASE; only row 2 of the
    // player's sprites gets pictures.
    for (double i = 0; i < 3; ++i)
        for (double j = 0; j < 3; ++j) playerSprites(i, j) = SPR_ANIM_BASE + 3 * i + j;
    for (double k = 0; k < 7; ++k) bigExplosionSprites(k) = SPR_ANIM_BASE + 9 + k;
    for (double k = 0; k < 7; ++k) enemySprites(k) = SPR_ANIM_BASE + 20 + k;
    enemySprites(7) = SPR_ANIM_BASE + 30;
    Redim(smallExplosionSprites, 6);
    for (double k = 0; k < 6; ++k) smallExplosionSprites(k) = SPR_ANIM_BASE + 50 + k;

    LoadSound("data/shot.wav", SND_SHOT, 1);
    LoadSound("data/explode1.wav", SND_ENEMY_EXPLODE, 2);
    LoadSound("data/explode2.wav", SND_PLAYER_EXPLODE, 3);

    LoadSprite("data/background.bmp", SPR_BACKGROUND);
    LoadSprite("data/mainmenue.bmp", SPR_MENU);
    LoadSprite("data/arrow.bmp", SPR_ARROW);
    LoadSprite("data/shot.bmp", SPR_SHOT);
    LoadSprite("data/water1.bmp", SPR_WATER1);
    LoadSprite("data/water2.bmp", SPR_WATER2);
    LoadSprite("data/island1.bmp", SPR_ISLAND1);
    LoadSprite("data/island2.bmp", SPR_ISLAND2);
    LoadSprite("data/island3.bmp", SPR_ISLAND3);
    for (double j = 0; j < 3; ++j) LoadSprite(NumberedFile("player3", j + 1), playerSprites(2, j));
    for (double k = 0; k < 7; ++k) LoadSprite(NumberedFile("bigexplosion", k + 1), bigExplosionSprites(k));
    for (double k = 0; k < 7; ++k) LoadSprite(NumberedFile("enemy1", k + 1), enemySprites(k));
    LoadSprite("data/enemy21.bmp", enemySprites(7));
    for (double k = 0; k < 6; ++k) LoadSprite(NumberedFile("smallexplosion", k + 1), smallExplosionSprites(k));
}

}  // namespace game
