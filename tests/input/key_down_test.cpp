// KeyDown's reading of its number and the scripted-key seam.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "aerox/aerox.h"
#include "input/input_context.h"
#include "engine/engine_globals.h"

namespace {

// Holds exactly the scan codes in the set.
struct ScriptedKeys {
    std::set<int> held;
    ScriptedKeys() {
        SetKeySource(
            [](uint8_t keys[256], void* user) {
                for (int k = 0; k < 256; ++k) keys[k] = 0;
                for (int k : static_cast<ScriptedKeys*>(user)->held) keys[k] = 0x80;
            },
            this);
    }
    ~ScriptedKeys() { SetKeySource(nullptr, nullptr); }
};

class KeyDownTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) g_input = new InputContext;
    }
    void TearDown() override {
        delete g_input;
        g_input = nullptr;
    }
};

}  // namespace

// With and without an engine input context (the game's own tests may run
// without one).
TEST_P(KeyDownTest, NumbersAreTruncatedTo16BitsThenTheLowByte) {
    ScriptedKeys keys;
    const struct {
        double number;
        int code;
    } cases[] = {{57.9, 57}, {256, 0}, {-1, 255}, {100000, 0}, {-200, 56}, {65536.0 + 57, 0},
                 {32767, 255}, {-32768, 0}, {-32768.9, 0}, {32768, 0}, {200.99, 200}, {-0.7, 0}};
    for (const auto& c : cases) {
        for (int code : {0, 56, 57, 200, 255}) {
            keys.held = {code};
            EXPECT_EQ(KeyDown(c.number), code == c.code ? 1.0 : 0.0) << c.number << " with " << code << " held";
        }
    }
    keys.held = {0};
    EXPECT_EQ(KeyDown(std::nan("")), 1.0);
    EXPECT_EQ(KeyDown(INFINITY), 1.0);
    EXPECT_EQ(KeyDown(-INFINITY), 1.0);
}

TEST_P(KeyDownTest, EveryCallReadsTheKeysAfresh) {
    ScriptedKeys keys;
    keys.held = {28, 200};
    EXPECT_EQ(KeyDown(28), 1.0);
    EXPECT_EQ(KeyDown(200), 1.0);
    EXPECT_EQ(KeyDown(208), 0.0);
    keys.held = {208};
    EXPECT_EQ(KeyDown(28), 0.0);
    EXPECT_EQ(KeyDown(208), 1.0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutContext, KeyDownTest, ::testing::Bool());

TEST(KeyDown, ThePresentersRuleSeesTheLastPoll) {
    ScriptedKeys keys;
    InputContext input;
    keys.held = {1, 56, 62};
    PollKeyboard(&input);
    keys.held = {};
    EXPECT_TRUE(KeyHeld(&input, 1));
    EXPECT_TRUE(KeyHeld(&input, 56));
    EXPECT_TRUE(KeyHeld(&input, 62));
    EXPECT_FALSE(KeyHeld(&input, 57));
    EXPECT_TRUE(KeyHeld(&input, 256 + 62));
    EXPECT_FALSE(KeyHeld(nullptr, 1));
    PollKeyboard(&input);
    EXPECT_FALSE(KeyHeld(&input, 1));
}

// A source that reports one tap (down and up again between two polls) at
// its next poll, on top of the held keys.
struct TappingKeys : ScriptedKeys {
    std::set<int> taps;
    TappingKeys() {
        SetKeySource(
            [](uint8_t keys[256], void* user) {
                auto* self = static_cast<TappingKeys*>(user);
                for (int k = 0; k < 256; ++k) keys[k] = 0;
                for (int k : self->held) keys[k] = 0x80;
                for (int k : self->taps) keys[k] |= 0x01;
                self->taps.clear();
            },
            this);
    }
};

TEST(KeyPresses, ATapBetweenPollsReadsHeldOnceAndLapsesAfterTheNextFrame) {
    TappingKeys keys;
    InputContext input;
    g_input = &input;
    keys.taps = {28};
    EXPECT_EQ(KeyDown(28), 1.0) << "the tap is seen at the next reading";
    EXPECT_EQ(KeyDown(28), 0.0) << "and only once";

    // The presenter sees a tap too, but only until the frame after it.
    keys.taps = {1};
    PollKeyboard(&input);
    EXPECT_TRUE(KeyHeld(&input, 1));
    NextKeyFrame(&input);
    EXPECT_TRUE(KeyHeld(&input, 1));
    NextKeyFrame(&input);
    EXPECT_FALSE(KeyHeld(&input, 1));
    EXPECT_EQ(KeyDown(1), 0.0) << "a lapsed tap does not reach a later reading";

    // A held key reads held at every reading, whatever the frames.
    keys.held = {200};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(KeyDown(200), 1.0);
        NextKeyFrame(&input);
    }
    g_input = nullptr;
}

TEST(KeyPresses, KeyPressedCountsEachGoingDownOnceUntilTaken) {
    TappingKeys keys;
    InputContext input;
    g_input = &input;
    EXPECT_EQ(KeyPressed(208), 0.0);
    keys.held = {208};
    for (int i = 0; i < 5; ++i) PollKeyboard(&input);  // held through many polls: one press
    keys.held = {};
    PollKeyboard(&input);
    keys.taps = {208};  // a tap in between
    PollKeyboard(&input);
    keys.held = {208};  // and down again
    PollKeyboard(&input);
    EXPECT_EQ(KeyPressed(203), 0.0) << "other keys have no presses";
    EXPECT_EQ(KeyPressed(208), 3.0);
    EXPECT_EQ(KeyPressed(208), 0.0) << "taken presses are gone, though the key is still held";
    EXPECT_EQ(KeyPressed(208 + 256), 0.0);

    // The count stops at 255 instead of wrapping.
    for (int i = 0; i < 300; ++i) {
        keys.taps = {57};
        PollKeyboard(&input);
    }
    EXPECT_EQ(KeyPressed(57), 255.0);
    g_input = nullptr;
    EXPECT_EQ(KeyPressed(57), 0.0) << "without an engine nothing records presses";
}
