// The game's constants, records and globals, and every routine of the game.
// All game values are numbers (doubles); the globals live for the whole
// process and are shared by the screens, the sea, the enemies and the shots.
#pragma once
#include "aerox/aerox.h"

namespace game {

// --- constants
constexpr double INPUT_DELAY = 75;    // ms between two readings of the menu; the text screens wait 5 times it
constexpr double REPEAT_DELAY = 300;  // a key held on a screen repeats after this many ms
constexpr double FIRE_DELAY = 200;    // least ms between two player shots

constexpr double BTN_LEFT = 0;
constexpr double BTN_RIGHT = 1;
constexpr double BTN_UP = 2;
constexpr double BTN_DOWN = 3;
constexpr double BTN_SELECT = 4;
constexpr double BTN_FIRE = 11;
constexpr double BTN_BACK = 12;  // Escape, read only by the screens that go back on it
constexpr double BUTTON_COUNT = 13;

constexpr double PLAYER_ALIVE = 1;
constexpr double PLAYER_EXPLODING = 3;
constexpr double PLAYER_WAITING = 4;

constexpr double SPR_MENU = 2;
constexpr double SPR_BACKGROUND = 3;
constexpr double SPR_ARROW = 4;
constexpr double SPR_SHOT = 5;
constexpr double SPR_WATER1 = 20;
constexpr double SPR_WATER2 = 21;
constexpr double SPR_ISLAND1 = 22;
constexpr double SPR_ISLAND2 = 23;
constexpr double SPR_ISLAND3 = 24;
constexpr double SPR_ANIM_BASE = 50;

constexpr double SND_SHOT = 2;
constexpr double SND_ENEMY_EXPLODE = 4;
constexpr double SND_PLAYER_EXPLODE = 5;

constexpr double STATE_MENU = 1;
constexpr double STATE_BLANK = 2;
constexpr double STATE_PLAYING = 3;
constexpr double STATE_GAME_OVER = 4;
constexpr double STATE_QUIT = 5;
constexpr double STATE_CREDITS = 6;
constexpr double STATE_HISCORES = 8;
constexpr double STATE_OPTIONS = 9;
constexpr double STATE_INITIALS = 10;
constexpr double STATE_STAGE_CLEAR = 11;

constexpr double HISCORE_ROWS = 10;
constexpr double INITIALS_LENGTH = 3;
constexpr double LIFE_BONUS = 100;         // points for each life left at a stage clear
constexpr double STAGE_CLEAR_TIME = 3000;  // ms the stage clear shows

// --- records (every field a number, 0 in a new record)
struct Player {
    double state;
    double x;               // the aircraft is drawn 32 pixels left of this
    double y;               // and 32 pixels above this
    double explosionFrame;  // index into bigExplosionSprites
    double lives;
    double frameTick;    // paces the explosion
    double timeOfDeath;  // GetTimer() when the explosion ended
};

struct Enemy {
    double trigger;  // enters once scrollPos falls below this
    double active;
    double exploding;
    double sprite;
    double hitPoints;
    double x;  // left edge
    double y;  // top edge
    double speed;
    double repeat;  // even: comes back after leaving the bottom
    double explosionFrame;
    double spare1, spare2, spare3;
    double fireInterval;
    double startX, startY;
    double lastFireTime;
};

struct Shot {
    double active;
    double sprite;
    double x;  // left edge
    double y;  // top edge
    double directionX;
    double directionY;
    double spare;
    double speed;
    double spareValue;
};

static_assert(sizeof(Player) == 7 * sizeof(double));
static_assert(sizeof(Enemy) == 17 * sizeof(double));
static_assert(sizeof(Shot) == 9 * sizeof(double));

// --- globals
extern double gameState;
extern double quitRequested;
extern double score;
extern double lastScore;
extern double scrollPos;
extern double frameCount;
extern double waterTick;
extern double levelNumber;
extern double lastInputTime;
extern double lastShotTime;
extern double menuIndex;
extern double screenWidth;
extern double screenHeight;
extern double playerRow;
extern double playerFrame;
extern Player player;
extern double loopNumber;       // 1 for the first pass through the level
extern double levelTopReached;  // the scroll has reached the top of the map since the last (re)start
extern double stageClearEnd;    // GetTimer() at which the stage clear ends
extern double stageBonus;
extern double optionsIndex;
extern double initialsPos;       // the letter being chosen, 0 .. INITIALS_LENGTH - 1
extern double markedRank;        // the hi-score row to mark, or -1
extern RtArray initialsLetters;  // 0 .. 25 for A .. Z
// Per button of the screens: when it next repeats while held, and the
// presses already made that a reading has not acted on yet.
extern RtArray buttonRepeatAt;
extern RtArray buttonPending;
// The mouse's buttons as the screens last read them (mouse_pointing.cpp).
extern double mouseLeftHeld;  // at the last reading (or since the screen began)
extern double mouseRightHeld;

extern RtArray buttons;
extern RtArray playerSprites;
extern RtArray enemySprites;
extern RtArray bigExplosionSprites;
extern RtArray smallExplosionSprites;
extern RtTypedArray<RtString> levelMap;
extern RtTypedArray<Enemy> enemies;
extern RtTypedArray<Shot> playerShots;
extern RtTypedArray<Shot> enemyShots;

// --- the state loop (game_main.cpp)
// Steps before the assets: constants, start values, arrays, screen size.
void SetUpGlobals();
// One pass of the state loop: the current state's handler, then
// ShowScreen. Returns false once the loop is to end.
bool StateLoopPass();

// --- assets (resources.cpp)
void LoadResources();

// --- input, menu and a new game (controls_menu.cpp)
// Play's reading: the buttons held now (or tapped since the last frame).
void ReadControls(double delay);
void MainMenu();
void StartNewGame();

// --- the screens' reading of presses (press_reader.cpp)
// At most once per period ms: a button acts when it was pressed since the
// last reading, and again while held from REPEAT_DELAY ms after its press.
// Between readings every button reads 0.
void ReadPresses(double period);
// A new screen: presses so far are dropped and the buttons held now are
// ignored until they are released.
void ResetPresses();
// Forgets every button's history without reading the keys.
void ClearPressReader();
// 1 when Return or fire acts.
double ChoosePressed();

// --- the mouse on the screens (mouse_pointing.cpp)
struct MouseReading {
    double moved;  // 1 when the mouse moved since the last reading
    double x;      // screen pixels
    double y;
    double leftClick;   // 1 when the left button went down since the last reading
    double rightClick;  // the same for the right button
    double wheel;       // steps, positive away from the player
};
// Once per frame of a screen. Nothing reads as moved or clicked until the
// player moves or clicks the mouse: a player who never touches it sees no
// change.
MouseReading ReadMouse();
// A new screen: movement and wheel turns from before are forgotten, and a
// button held from the screen before must be let go before it clicks here.
void ResetMouse();
// 1 when (x, y) lies in the rectangle [left, right) x [top, bottom).
double Inside(double x, double y, double left, double top, double right, double bottom);
// Which band of step pixels an offset (0 or more) falls in: 0, 1, 2 ...
double Band(double offset, double step);

// --- test seam: while on, nothing hurts the player (long unattended runs);
// no key, file or argument reaches it.
void SetPlayerUnhittable(bool on);

// --- play and the player (gameplay.cpp)
void GameplayFrame();
void RespawnPlayer();
void InitLevel();
// The level from its start again as loop number n, with the lives and the
// score kept.
void StartLoop(double n);
// 1 when the scroll has reached the top and no enemy can fly any more.
double LevelFinished();
void StageClearFrame();

// --- the sea (sea.cpp)
void BuildLevelMap();
void DrawBackground();

// --- enemies (enemies.cpp)
void AddEnemy(double trigger, double sprite, double hitPoints, double x, double y, double speed, double repeat,
              double spare1, double spare2, double spare3, double fireInterval);
void AddWaveTable();
void DrawEnemies();
void UpdateEnemies();

// --- shots and collisions (shots.cpp)
void FirePlayerShot(double sprite, double x, double y, double speed, double directionX, double directionY,
                    double spareValue);
void FireEnemyShot(double sprite, double x, double y, double speed, double directionX, double directionY,
                   double spareValue);
void DrawShots();
void MoveShots();
void PlayerShotsAgainstEnemies();
void EnemyShotsAgainstPlayer();
void EnemiesAgainstPlayer();
void PlayerHit();

// --- text screens (screens.cpp)
void DrawStatusLine();
void GameOverScreen();
void CreditsScreen();
// Text centred on the 320-pixel screen at 10 pixels a character.
void PrintCentred(const RtString& text, double y);

// --- hi-scores (hiscores.cpp)
void HiScoresScreen();
void InitialsScreen();
// From a game over: the initials entry when the score makes the table.
void StartInitials();

// --- options (options.cpp)
void OptionsScreen();

}  // namespace game
