#include "game_fixture.h"

#include <ostream>

#include "frame/clock.h"
#include "runtime/command_trace.h"
#include "userdata/userdata.h"
#include "engine/engine_globals.h"

namespace gametest {

using namespace game;

std::ostream& operator<<(std::ostream& out, const Command& c) {
    out << c.name << "(";
    for (size_t i = 0; i < c.args.size(); ++i) out << (i ? ", " : "") << c.args[i];
    if (!c.text.empty()) out << ", \"" << c.text << "\"";
    return out << ")";
}

void GameTest::KeySource(uint8_t keys[256], void* user) {
    auto* self = static_cast<GameTest*>(user);
    for (int i = 0; i < 256; ++i) keys[i] = 0;
    for (int code : self->held_) keys[code & 255] = 0x80;
    for (int code : self->taps_) keys[code & 255] |= 0x01;
    self->taps_.clear();
    if (!self->frames_.empty()) self->frames_.back().push_back({"Poll", {}, ""});
}

void GameTest::Tracer(const TracedCommand& command, void* user) {
    auto* self = static_cast<GameTest*>(user);
    if (self->frames_.empty()) self->frames_.emplace_back();
    Command c{command.name, std::vector<double>(command.args, command.args + command.argCount),
              command.text != nullptr ? command.text : ""};
    self->frames_.back().push_back(std::move(c));
}

void GameTest::SetUp() {
    userDirVariable_.Set(userDir_.path());
    ReleaseUserData();
    g_input = &input_;
    SetKeySource(&GameTest::KeySource, this);
    SetCommandTracer(&GameTest::Tracer, this);
    g_frameClock.startup = clock_.Now() - kFirstFrameTimer;
    g_frameClock.thisFrame = g_frameClock.previousFrame = clock_.Now();
    SetUpGame();
}

void GameTest::TearDown() {
    SetCommandTracer(nullptr, nullptr);
    SetKeySource(nullptr, nullptr);
    g_input = nullptr;
    ReleaseUserData();
}

void GameTest::SetUpGame() {
    // No key is down and no press is pending.
    input_ = InputContext{};
    held_.clear();
    taps_.clear();
    // Program-start values: static storage is zero.
    gameState = quitRequested = score = lastScore = scrollPos = frameCount = waterTick = 0;
    levelNumber = lastInputTime = lastShotTime = menuIndex = screenWidth = screenHeight = 0;
    playerRow = playerFrame = 0;
    player = Player{};
    Redim(smallExplosionSprites, 0);
    Redim(levelMap, 0);
    Redim(enemies, 0);
    Redim(playerShots, 0);
    Redim(enemyShots, 0);
    SetUpGlobals();
    // No window here, so the engine reports no screen size.
    screenWidth = 320;
    screenHeight = 240;
}

bool GameTest::Pass() {
    frames_.emplace_back();
    const bool goOn = StateLoopPass();
    ++passes_;
    clock_.Set(100000.0 + static_cast<double>(passes_) * kFrameMs);
    return goOn;
}

void GameTest::Passes(int n) {
    for (int i = 0; i < n; ++i) Pass();
}

void GameTest::StartGame() {
    StartNewGame();
    ASSERT_EQ(gameState, STATE_PLAYING);
}

void GameTest::NoEnemies() { Redim(enemies, 0); }

double GameTest::Timer() const { return GetTimer(); }

std::vector<Command> GameTest::LastFrameNamed(const std::string& name) const {
    std::vector<Command> out;
    for (const Command& c : frames_.back())
        if (c.name == name) out.push_back(c);
    return out;
}

}  // namespace gametest
