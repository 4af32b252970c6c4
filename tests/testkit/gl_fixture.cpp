#include "testkit/gl_fixture.h"

#include <SDL_opengl.h>

#include <string>

#include "aerox/aerox.h"
#include "gfx/offscreen_frame.h"
#include "gfx/window.h"
#include "gfx/engine_context.h"
#include "engine/engine_globals.h"

namespace testkit {

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ", " << int{c.a} << ")";
}

Screen::Screen() {
    if (g_engine == nullptr) return;
    width_ = g_engine->screenWidth;
    height_ = g_engine->screenHeight;
    pixels_ = ReadBackBuffer(*g_engine);
}

Rgba Screen::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    const uint8_t* p = pixels_.data() + (static_cast<size_t>(y) * width_ + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

bool Screen::Is(int x, int y, uint8_t r, uint8_t g, uint8_t b) const {
    const Rgba c = At(x, y);
    return c.r == r && c.g == g && c.b == b;
}

int Screen::LitPixels() const {
    int count = 0;
    for (size_t i = 0; i < pixels_.size(); i += 4)
        if (pixels_[i] != 0 || pixels_[i + 1] != 0 || pixels_[i + 2] != 0) ++count;
    return count;
}

void GlFixture::SetUp() {
    g_engine = new OpenGLZodadodu;
    ASSERT_TRUE(CreateGameWindow(*g_engine, 320, 240, 0, 60, 0, WindowScale())) << "no window: is an X server there?";
    ASSERT_EQ(WindowScale() > 1, HasOffscreenFrame(*g_engine) && !g_engine->frame.drawsDirect)
        << "the window did not open at scale " << WindowScale();
    SetViewport(*g_engine, 0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    AlphaMode(0);
}

void GlFixture::LoadPicture(double slot, const Picture& picture, bool png) {
    static int count = 0;
    const std::string path = folder_.File("picture" + std::to_string(++count) + (png ? ".png" : ".bmp"));
    WriteFile(path, png ? PngBytes(picture, PngKind::Rgba) : BmpBytes(picture, 24));
    LoadSprite(path.c_str(), slot);
}

void GlFixture::TearDown() {
    delete g_engine;
    g_engine = nullptr;
}

}  // namespace testkit
