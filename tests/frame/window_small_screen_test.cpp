// The full-screen switch on a display whose only mode is the screen size:
// a private X server of that size, so Linux only.
#include <cstdlib>
#include <filesystem>

#include "frame/frame_fixture.h"
#include "testkit/e2e_process.h"

using namespace frametest;

// The switch itself, on a virtual screen of exactly 320x240: the test runs
// itself again on such a server and reports what the inner run saw.
TEST(FullscreenOnSmallScreen, SwitchesInPlaceAndKeepsTheFrameRate) {
    if (std::getenv("AEROX_INNER_SMALL_SCREEN") == nullptr) {
        const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        testkit::ChildProgram inner("/usr/bin/xvfb-run",
                                    {"-a", "-s", "-screen 0 320x240x24", self,
                                     "--gtest_filter=FullscreenOnSmallScreen.*"},
                                    {"AEROX_INNER_SMALL_SCREEN=1"});
        int code = -1;
        ASSERT_TRUE(inner.WaitExit(90, code)) << "the inner run did not end";
        EXPECT_EQ(0, code) << inner.output();
        EXPECT_NE(std::string::npos, inner.output().find("[  PASSED  ] 1 test")) << inner.output();
        return;
    }
    PrivateTempDirectory temp;
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    ASSERT_TRUE(HasModeOfSize(320, 240));
    auto context = std::make_unique<OpenGLZodadodu>();
    ASSERT_TRUE(CreateGameWindow(*context, 320, 240, 0, 60, 0));
    ASSERT_TRUE(EnterFullscreen(*context));
    EXPECT_TRUE(context->fullScreen);
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod) << "60 stays 60, never 59";
    EXPECT_EQ(std::string::npos, temp.LogText().find("No Fullscreen Mode available"));
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(context->window, &w, &h);
    EXPECT_EQ(320, w);
    EXPECT_EQ(240, h);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(0, -1);
    glVertex2f(1, -1);
    glVertex2f(1, 0);
    glEnd();
    EXPECT_EQ(kRed, PixelAt(ReadBackBuffer(*context), 0, 0));
    EXPECT_TRUE(EnterWindowed(*context));
    EXPECT_FALSE(context->fullScreen);
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod);
    context.reset();
    SDL_Quit();
}
