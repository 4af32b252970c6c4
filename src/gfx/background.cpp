// Background image 0 (a picture cut into square tiles), clearing the screen,
// and copying the screen into the background or into a sprite.
#include <SDL_opengl.h>

#include <algorithm>

#include "aerox/drawing.h"
#include "gfx/data_resolver.h"
#include "gfx/draw.h"
#include "gfx/gl_entry_points.h"
#include "gfx/gl_profile.h"
#include "gfx/image.h"
#include "gfx/sprite_store.h"
#include "gfx/texture.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"
#include "gfx/held_frame.h"

namespace {

constexpr int kMaxTileSide = 512;
constexpr int kMaxTilesPerSide = 64;

int TileSide() { return std::min(MaxTextureSize(), kMaxTileSide); }

// Cuts the picture into tiles from its top-left corner into record 0.
bool StoreBackground(OpenGLZodadodu& context, const RgbaImage& image) {
    ClearBackgroundImage(context, 0);
    if (image.width <= 0 || image.height <= 0) return false;
    const int side = TileSide();
    BackgroundImage& background = context.backgrounds[0];
    const int columns = std::min((image.width + side - 1) / side, kMaxTilesPerSide);
    const int rows = std::min((image.height + side - 1) / side, kMaxTilesPerSide);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const int x = column * side, y = row * side;
            UploadedTexture uploaded;
            if (!UploadTexture(image, x, y, std::min(side, image.width - x), std::min(side, image.height - y), uploaded,
                               false, false)) {
                ClearBackgroundImage(context, 0);
                return false;
            }
            background.tiles.push_back(BackgroundTile{uploaded.spriteTexture, uploaded.textureWidth,
                                                      uploaded.textureHeight, uploaded.regionWidth,
                                                      uploaded.regionHeight});
            background.columns = column + 1;
            background.rows = rows;
        }
    }
    return true;
}

// The screen rectangle as a picture, rows top first; pixels outside the
// screen are transparent.
RgbaImage ReadScreen(const OpenGLZodadodu& context, int x, int y, int width, int height) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, context.screenWidth), bottom = std::min(y + height, context.screenHeight);
    if (left >= right || top >= bottom) return image;
    std::vector<uint8_t> rows(static_cast<size_t>(right - left) * (bottom - top) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);  // from the frame's read buffer
    glReadPixels(left, context.screenHeight - bottom, right - left, bottom - top, GL_RGBA, GL_UNSIGNED_BYTE,
                 rows.data());
    const size_t rowBytes = static_cast<size_t>(right - left) * 4;
    for (int sy = top; sy < bottom; ++sy) {
        const uint8_t* src = rows.data() + static_cast<size_t>(bottom - 1 - sy) * rowBytes;
        std::copy_n(src, rowBytes, image.pixels.data() + (static_cast<size_t>(sy - y) * width + (left - x)) * 4);
    }
    return image;
}

}  // namespace

void ClearBackgroundImage(OpenGLZodadodu& context, int n) {
    if (n < 0 || n >= kBackgroundCount) return;
    BackgroundImage& background = context.backgrounds[static_cast<size_t>(n)];
    if (context.GlReady) {
        ForgetTextureSelection(context);
        for (BackgroundTile& tile : background.tiles)
            if (tile.texture != 0) glDeleteTextures(1, &tile.texture);
    }
    background = BackgroundImage{};
}

void DrawBackgroundImage(OpenGLZodadodu& context, int n) {
    if (n < 0 || n >= kBackgroundCount) return;
    const BackgroundImage& background = context.backgrounds[static_cast<size_t>(n)];
    if (background.tiles.empty()) return;
    DrawHeldFrameNow();
    ForgetTextureSelection(context);
    glDisable(GL_ALPHA_TEST);
    const MultitextureEntryPoints& multi = Multitexture();
    if (multi.glMultiTexCoord2fARB != nullptr) {
        multi.glActiveTextureARB(GL_TEXTURE1_ARB);
        glDisable(GL_TEXTURE_2D);
        multi.glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glEnable(GL_TEXTURE_2D);
    float x = 0;
    for (int column = 0; column < background.columns; ++column) {
        float y = 0;
        float columnWidth = 0;
        for (int row = 0; row < background.rows; ++row) {
            const size_t index = static_cast<size_t>(column) * background.rows + row;
            if (index >= background.tiles.size()) break;
            const BackgroundTile& tile = background.tiles[index];
            const float w = static_cast<float>(tile.pictureWidth), h = static_cast<float>(tile.pictureHeight);
            const float s = w / static_cast<float>(tile.textureWidth), t = h / static_cast<float>(tile.textureHeight);
            glBindTexture(GL_TEXTURE_2D, tile.texture);
            glBegin(GL_TRIANGLE_FAN);
            glTexCoord2f(0, 0);
            glVertex2f(x, -(y + h));
            glTexCoord2f(s, 0);
            glVertex2f(x + w, -(y + h));
            glTexCoord2f(s, t);
            glVertex2f(x + w, -y);
            glTexCoord2f(0, t);
            glVertex2f(x, -y);
            glEnd();
            y += h;
            columnWidth = w;
        }
        x += columnWidth;
    }
    glEnable(GL_ALPHA_TEST);
}

void ClearScreen() {
    if (!RequireEngine(g_engine != nullptr, "ClearScreen")) return;
    ClearBackgroundImage(*g_engine, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}

void LoadBackground(const RtString& path) {
    if (!RequireEngine(g_engine != nullptr, "LoadBackground")) return;
    std::string resolved;
    RgbaImage image;
    if (!ResolveAssetFile(path.Text(), resolved) || !ReadImage(image, resolved, kNoColourKey) ||
        !StoreBackground(*g_engine, image)) {
        LogLoadFailure("LoadBackground", path.Text(), "a BMP or PNG picture");
        ClearScreen();
        return;
    }
    DrawBackgroundImage(*g_engine, 0);
}

void ScreenToBackground() {
    if (!RequireEngine(g_engine != nullptr, "ScreenToBackground")) return;
    if (g_engine->screenWidth <= 0 || g_engine->screenHeight <= 0) return;
    RgbaImage screen = ReadScreen(*g_engine, 0, 0, g_engine->screenWidth, g_engine->screenHeight);
    // The screen is opaque: whatever alpha a pixel was drawn with, the copy
    // shows it as it is (a transparent texel would be recoloured by the
    // upload's edge bleeding).
    for (size_t i = 3; i < screen.pixels.size(); i += 4) screen.pixels[i] = 255;
    StoreBackground(*g_engine, screen);
}

void GrabSprite(double slot, double x, double y, double width, double height) {
    if (!RequireEngine(g_engine != nullptr, "GrabSprite")) return;
    OpenGLZodadodu& context = *g_engine;
    SpriteSlot* s = SlotFor(context, slot);
    const int w = TruncateNumber(width), h = TruncateNumber(height);
    if (s == nullptr) return;
    const int number = TruncateNumber(slot);
    ClearSpriteSlot(context, number);
    if (w <= 0 || h <= 0 || !ImageSizeAcceptable(w, h)) return;
    RgbaImage image = ReadScreen(context, TruncateNumber(x), TruncateNumber(y), w, h);
    GLint alphaBits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    if (alphaBits < 8) {
        // No alpha in the frame: the key colours become transparent (what
        // lay outside the screen already is).
        for (size_t i = 0; i < image.pixels.size(); i += 4) {
            uint8_t* p = image.pixels.data() + i;
            if (p[0] == 255 && p[1] == 0 && p[2] >= 127 && p[2] <= 132) p[3] = 0;
        }
    }
    const int maxSize = MaxTextureSize();
    const int textureWidth = std::min(std::max(TextureSideFor(w), 32), maxSize);
    const int textureHeight = std::min(std::max(TextureSideFor(h), 32), maxSize);
    const int shownWidth = std::min(w, textureWidth), shownHeight = std::min(h, textureHeight);
    const std::vector<uint8_t> texels =
        LayOutTexture(image, 0, 0, shownWidth, shownHeight, textureWidth, textureHeight);
    glGenTextures(1, &s->SpriteTexture);
    ForgetTextureSelection(*g_engine);
    glBindTexture(GL_TEXTURE_2D, s->SpriteTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, RgbaTextureFormat(), textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    s->textureWidth = textureWidth;
    s->textureHeight = textureHeight;
    s->imageWidth = shownWidth;
    s->imageHeight = shownHeight;
    BuildCollisionMask(*s, image);
}
