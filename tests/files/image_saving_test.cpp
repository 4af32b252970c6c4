// SaveSprite and SaveScreen: pictures saved in the per-user folder and read
// back with the engine's own decoders.
#include <SDL_opengl.h>

#include <cstdlib>

#include "aerox/aerox.h"
#include "files/files_fixture.h"
#include "gfx/engine_context.h"
#include "gfx/image.h"
#include "gfx/window.h"
#include "testkit/gfx_files.h"

namespace {

class ImageSaving : public files_test::FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        g_engine = new OpenGLZodadodu;
        ASSERT_TRUE(CreateGameWindow(*g_engine, 320, 240, 0, 60, 0, 1)) << "no window: is an X server there?";
        SetViewport(*g_engine, 0, 0, 0, 0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        AlphaMode(0);
    }
    void TearDown() override {
        delete g_engine;
        g_engine = nullptr;
        FilesTest::TearDown();
    }
};

// Channel values within this of each other count as the same colour.
bool Near(const uint8_t* p, uint32_t rgb) {
    const int want[3] = {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xff),
                         static_cast<int>(rgb & 0xff)};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(p[i] - want[i]) > 2) return false;
    }
    return true;
}

const uint8_t* At(const RgbaImage& image, int x, int y) {
    return image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
}

TEST_F(ImageSaving, ASpriteComesBackAsItWasWithItsTransparency) {
    testkit::Picture picture(5, 3, 0x3060C0FF);
    picture.Set(0, 0, 0xFF0080FF);  // the key colour: transparent
    picture.Set(4, 2, 0x10E020FF);
    testkit::WriteFile(User("source.bmp"), testkit::BmpBytes(picture, 24));
    LoadSprite(User("source.bmp").c_str(), 3);
    for (const char* name : {"sprite.png", "sprite.BMP"}) {
        ASSERT_EQ(SaveSprite(3, name), 1) << name;
        RgbaImage saved;
        ASSERT_TRUE(ReadImage(saved, User(name), kSpriteColourKey)) << name;
        ASSERT_EQ(saved.width, 5);
        ASSERT_EQ(saved.height, 3);
        EXPECT_EQ(At(saved, 0, 0)[3], 0) << name;
        EXPECT_TRUE(Near(At(saved, 1, 0), 0x3060C0)) << name;
        EXPECT_TRUE(Near(At(saved, 4, 2), 0x10E020)) << name;
    }
    const std::string bmp = testkit::ReadFile(User("sprite.BMP"));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(testkit::ReadFile(User("sprite.png")).substr(1, 3), "PNG");
    NewLogLines();
    EXPECT_EQ(SaveSprite(4, "empty.png"), 0);
    EXPECT_EQ(SaveSprite(3, "../out.png"), 0);
    EXPECT_EQ(NewLogLines().size(), 2u);
}

TEST_F(ImageSaving, TheScreenIsSavedAsDrawn) {
    DrawRect(10, 20, 39, 59, 0x00FF00);
    for (const char* name : {"screen.png", "screen.bmp"}) {
        ASSERT_EQ(SaveScreen(name), 1) << name;
        RgbaImage saved;
        ASSERT_TRUE(ReadImage(saved, User(name), kNoColourKey)) << name;
        ASSERT_EQ(saved.width, 320);
        ASSERT_EQ(saved.height, 240);
        EXPECT_TRUE(Near(At(saved, 25, 40), 0x00FF00)) << name;
        EXPECT_TRUE(Near(At(saved, 5, 5), 0x000000)) << name;
        EXPECT_TRUE(Near(At(saved, 45, 70), 0x000000)) << name;
    }
    EXPECT_EQ(SaveScreen("no folder/screen.png"), 0);
}

}  // namespace
