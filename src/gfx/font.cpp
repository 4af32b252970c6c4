// Text from bitmap fonts: a font picture is a grid of 16 cells across,
// 8 rows when it is at least as wide as high, else 16 rows.
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

#include "aerox/drawing.h"
#include "gfx/data_resolver.h"
#include "gfx/draw.h"
#include "gfx/font.h"
#include "gfx/held_frame.h"
#include "gfx/sprite_store.h"
#include "runtime/command_trace.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"

namespace {

constexpr uint32_t kFontColourKey = 0;  // pure black is transparent

const SpriteSlot& CurrentFontSlot(const OpenGLZodadodu& context) {
    return context.sprites[static_cast<size_t>(kFontSlotBase) + static_cast<size_t>(context.currentFont)];
}

void DrawText(const char* text, double x, double y) {
    if (g_engine == nullptr || text == nullptr || text[0] == '\0') return;
    OpenGLZodadodu& context = *g_engine;
    const SpriteSlot& font = CurrentFontSlot(context);
    const int W = font.imageWidth, H = font.imageHeight;
    if (W <= 0 || H <= 0) return;
    const float X0 = static_cast<float>(std::ceil(x)), Y = static_cast<float>(std::ceil(y));
    if (!std::isfinite(X0) || !std::isfinite(Y)) return;
    BindSpriteTexture(context, kFontSlotBase + context.currentFont, -1, 0);
    const bool wide = W >= H;
    const int cw = W >> 4;
    const int ch = wide ? H >> 3 : H >> 4;
    const int count = wide ? 128 : 256;
    const float rt = static_cast<float>(H) / static_cast<float>(font.textureHeight) / (wide ? 8.0f : 16.0f);
    const float cs = static_cast<float>(W) / static_cast<float>(font.textureWidth) / 16.0f;
    float X = X0;
    held::Begin(GL_QUADS);
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        const int c = *p % count;
        // The texture holds the picture upside down.
        const int row = (count / 16 - 1) - c / 16;
        const float s0 = static_cast<float>(c % 16) * cs, t0 = static_cast<float>(row) * rt;
        held::TexCoord2f(s0, t0);
        held::Vertex2f(X, -Y - static_cast<float>(ch));
        held::TexCoord2f(s0 + cs, t0);
        held::Vertex2f(X + static_cast<float>(cw), -Y - static_cast<float>(ch));
        held::TexCoord2f(s0 + cs, t0 + rt);
        held::Vertex2f(X + static_cast<float>(cw), -Y);
        held::TexCoord2f(s0, t0 + rt);
        held::Vertex2f(X, -Y);
        X += static_cast<float>(cw);
    }
    held::End();
}

}  // namespace

void SetFont(double font) {
    if (!RequireEngine(g_engine != nullptr, "SetFont")) return;
    g_engine->currentFont = std::clamp(TruncateNumber(font), 0, kFontCount - 1);
}

void LoadFont(const RtString& path, double font) {
    if (!RequireEngine(g_engine != nullptr, "LoadFont")) return;
    SetFont(font);
    const int slot = kFontSlotBase + g_engine->currentFont;
    std::string resolved;
    if (ResolveAssetFile(path.Text(), resolved) && LoadSpriteFile(*g_engine, slot, resolved, kFontColourKey)) return;
    // An empty path asks for the built-in font: no failure.
    if (path.Length() > 0)
        LogLoadFailure("LoadFont", path.Text(), "a BMP or PNG font picture; the built-in font is used");
    StoreSpriteImage(*g_engine, slot, BuildBuiltinFont());
}

void PrintText(const RtString& text, double x, double y) {
    TraceCommand("PrintText", {x, y}, text.Text());
    if (!RequireEngine(g_engine != nullptr, "PrintText")) return;
    DrawText(text.Text(), x, y);
}

void PrintNumber(double number, double x, double y) {
    TraceCommand("PrintNumber", {number, x, y});
    if (!RequireEngine(g_engine != nullptr, "PrintNumber")) return;
    DrawText(NumberText(number).Text(), x, y);
}

void GetFontSize(double& width, double& height) {
    width = height = 0;
    if (!RequireEngine(g_engine != nullptr, "GetFontSize")) return;
    const SpriteSlot& font = CurrentFontSlot(*g_engine);
    const int W = std::max(font.imageWidth, 0), H = std::max(font.imageHeight, 0);
    // A glyph cell is a whole number of pixels: 16 x 8 cells to the picture.
    const int cellWidth = W / 16, cellHeight = W >= H ? H / 8 : (H / 8) / 2;
    width = cellWidth;
    height = cellHeight;
}
