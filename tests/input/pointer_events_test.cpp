// What the mouse and text entry keep between two readings: a click quicker
// than a frame reads once, and no longer than the frame after; typed text
// is bounded.
#include <gtest/gtest.h>

#include <string>

#include "input/pointer.h"

namespace {

TEST(PointerEvents, AClickBetweenTwoReadingsReadsOnceAndLapsesAfterTheNextFrame) {
    struct Case {
        const char* what;
        bool pressed;
        uint32_t pressFrame, readFrame;
        bool held;
        bool expected;
    } cases[] = {
        {"nothing", false, 0, 0, false, false},
        {"held", false, 0, 0, true, true},
        {"clicked this frame", true, 7, 7, false, true},
        {"clicked last frame", true, 7, 8, false, true},
        {"clicked two frames ago", true, 7, 9, false, false},
        {"clicked across the frame counter's wrap", true, 0xFFFFFFFFu, 0, false, true},
    };
    for (const Case& c : cases) {
        PointerEvents events;
        if (c.pressed) {
            events.pressed = 1u << 2;
            events.pressFrame[2] = c.pressFrame;
        }
        EXPECT_EQ(c.expected, TakeButton(events, 3, c.held, c.readFrame)) << c.what;
        EXPECT_EQ(c.held, TakeButton(events, 3, c.held, c.readFrame)) << c.what << ": the click is taken once";
    }
    PointerEvents events;
    events.pressed = 0x1F;
    EXPECT_FALSE(TakeButton(events, 0, false, 0));
    EXPECT_FALSE(TakeButton(events, 6, false, 0));
    EXPECT_TRUE(TakeButton(events, 1, false, 0)) << "the other buttons' clicks are kept";
}

TEST(PointerEvents, TypedTextIsKeptUpToItsBoundAndNoFurther) {
    PointerEvents events;
    EXPECT_TRUE(AppendTyped(events, "h\xC3\xA9"));
    const std::string filler(kTypedTextMaxBytes - 4, 'x');
    EXPECT_TRUE(AppendTyped(events, filler.c_str()));
    EXPECT_TRUE(AppendTyped(events, "y"));
    EXPECT_EQ(kTypedTextMaxBytes, events.typed.size());
    EXPECT_FALSE(AppendTyped(events, "z"));
    EXPECT_FALSE(AppendTyped(events, "\xC3\xA9")) << "a character is never cut";
    EXPECT_EQ(kTypedTextMaxBytes, events.typed.size());
    EXPECT_EQ("h\xC3\xA9", events.typed.substr(0, 3));
}

}  // namespace
