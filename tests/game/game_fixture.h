// Runs the game without a window: the clock is virtual and moves one frame
// slot (1000/60 ms) per pass of the state loop, keys come from a script, and
// every drawing, text and sound command the game gives is recorded per frame.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "input/input_context.h"
#include "runtime/command_trace.h"
#include "testkit/testkit.h"

namespace gametest {

// One recorded engine command; "Poll" marks a read of the key state
// (ShowScreen polls once per frame, KeyDown once per key).
struct Command {
    std::string name;
    std::vector<double> args;
    std::string text;

    bool Is(const std::string& n, std::vector<double> a, const std::string& t = "") const {
        return name == n && args == a && text == t;
    }
};
std::ostream& operator<<(std::ostream& out, const Command& c);

// Scan codes of the game's keys.
constexpr int kLeft = 203, kRight = 205, kUp = 200, kDown = 208, kReturn = 28, kCtrl = 29, kEscape = 1;

class GameTest : public ::testing::Test {
protected:
    static constexpr double kFrameMs = 1000.0 / 60.0;
    // GetTimer() at the first pass: the program has been running a while.
    static constexpr double kFirstFrameTimer = 10000.0;

    void SetUp() override;
    void TearDown() override;

    // Gives every game global its program-start value, then runs the set-up
    // steps of GameMain; the screen is 320 x 240 as on the real window.
    void SetUpGame();
    // One pass of the state loop; its commands land in a new frame record,
    // and the clock moves on to the next frame slot.
    bool Pass();
    // n passes.
    void Passes(int n);
    // Starts a game as the menu does and leaves the game in STATE_PLAYING.
    void StartGame();
    // Removes every enemy, so that no collision test runs.
    void NoEnemies();

    double Timer() const;  // GetTimer() now
    void Hold(int scanCode) { held_.insert(scanCode); }
    void Release(int scanCode) { held_.erase(scanCode); }
    void ReleaseAll() { held_.clear(); }
    // The key goes down and up again before the next poll.
    void Tap(int scanCode) { taps_.insert(scanCode); }

    // Commands of the last pass, and of pass k (0-based) since SetUp.
    const std::vector<Command>& LastFrame() const { return frames_.back(); }
    const std::vector<Command>& Frame(size_t k) const { return frames_.at(k); }
    size_t FrameCount() const { return frames_.size(); }
    // Commands of the last pass with this name.
    std::vector<Command> LastFrameNamed(const std::string& name) const;
    // Records commands outside Pass() (e.g. a routine called directly).
    void BeginRecord() { frames_.emplace_back(); }

public:
    testkit::VirtualClock clock_{100000.0};
    // Each test starts with an empty hi-score table of its own.
    testkit::TempFolder userDir_;
    testkit::KeptEnvironmentVariable userDirVariable_{"AEROX_USER_DIR"};
    InputContext input_;
    std::set<int> held_;
    std::set<int> taps_;
    std::vector<std::vector<Command>> frames_;
    long passes_ = 0;

private:
    static void KeySource(uint8_t keys[256], void* user);
    static void Tracer(const TracedCommand& command, void* user);
};

}  // namespace gametest
