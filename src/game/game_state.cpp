#include "game/game_state.h"

namespace game {

double gameState = 0;
double quitRequested = 0;
double score = 0;
double lastScore = 0;
double scrollPos = 0;
double frameCount = 0;
double waterTick = 0;
double levelNumber = 0;
double lastInputTime = 0;
double lastShotTime = 0;
double menuIndex = 0;
double screenWidth = 0;
double screenHeight = 0;
double playerRow = 0;
double playerFrame = 0;
Player player{};
double loopNumber = 1;
double levelTopReached = 0;
double stageClearEnd = 0;
double stageBonus = 0;
double optionsIndex = 0;
double initialsPos = 0;
double markedRank = -1;
RtArray initialsLetters;
RtArray buttonRepeatAt;
RtArray buttonPending;
double mouseLeftHeld = 0;
double mouseRightHeld = 0;

RtArray buttons;
RtArray playerSprites;
RtArray enemySprites;
RtArray bigExplosionSprites;
RtArray smallExplosionSprites;
RtTypedArray<RtString> levelMap;
RtTypedArray<Enemy> enemies;
RtTypedArray<Shot> playerShots;
RtTypedArray<Shot> enemyShots;

}  // namespace game
