// Frames held back until the present: drawn in the order the commands came,
// whatever else touched GL in between, and left undrawn only when equal to
// the frame on the screen.
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include "aerox/aerox.h"
#include "gfx/engine_context.h"
#include "gfx/held_frame.h"
#include "gfx/window.h"
#include "testkit/gl_fixture.h"
#include "testkit/testkit.h"

using testkit::Picture;
using testkit::Screen;

namespace {

class HeldFrames : public testkit::GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        LoadPicture(0, Picture(4, 4, 0xFF0000FF));  // red
        EnableHeldFrames(true);
    }
    // One frame as the presenter starts it, with the red square at (x, 10).
    void Frame(double x) {
        BeginHeldFrame();
        held::Clear(GL_COLOR_BUFFER_BIT);
        SetViewport(*g_engine, 0, 0, 0, 0);
        AlphaMode(0);
        DrawSprite(0, x, 10);
    }
};

TEST_F(HeldFrames, OtherCommandsDrawAfterWhatIsHeld) {
    Frame(10);
    // Not a held command: the square goes to GL before it, the rectangle on top.
    DrawRect(10, 10, 11, 11, 0x00FF00);
    DrawSprite(0, 20, 10);  // straight to GL for the rest of the frame
    Screen s;               // reading the screen draws what is held too
    EXPECT_TRUE(s.Is(10, 10, 0, 255, 0)) << s.At(10, 10);
    EXPECT_TRUE(s.Is(13, 13, 255, 0, 0)) << s.At(13, 13);
    EXPECT_TRUE(s.Is(21, 11, 255, 0, 0)) << s.At(21, 11);
    EXPECT_FALSE(FinishHeldFrame()) << "a frame drawn early is shown";
}

TEST_F(HeldFrames, OnlyAFrameEqualToTheShownOneIsSkipped) {
    struct Step {
        double x;
        void (*before)();  // run inside the frame, before it is presented
        bool skipped;
        const char* what;
    };
    auto none = [] {};
    auto read = [] { Screen unused; };
    const Step steps[] = {
        {10, none, false, "the first frame"},
        {10, none, true, "the same again"},
        {10, none, true, "and again"},
        {30, none, false, "the square moved"},
        {30, ForgetShownFrame, false, "the window's picture was lost"},
        {30, read, false, "the frame was read while held"},
        {30, none, false, "the frame before was drawn early, so not known as shown"},
        {30, none, true, "the same as the last shown"},
    };
    for (const Step& step : steps) {
        Frame(step.x);
        step.before();
        EXPECT_EQ(FinishHeldFrame(), step.skipped) << step.what;
    }
    // The picture of the last frame drawn stays.
    Screen s;
    EXPECT_TRUE(s.Is(31, 11, 255, 0, 0)) << s.At(31, 11);
    EXPECT_TRUE(s.Is(11, 11, 0, 0, 0)) << s.At(11, 11);
}

TEST_F(HeldFrames, OffDrawsEverythingAtOnce) {
    EnableHeldFrames(false);
    Frame(10);
    glFinish();
    EXPECT_FALSE(FinishHeldFrame());
    Frame(10);
    EXPECT_FALSE(FinishHeldFrame()) << "nothing is held, nothing skipped";
    EXPECT_TRUE(Screen().Is(11, 11, 255, 0, 0));
}

}  // namespace
