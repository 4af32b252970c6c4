// Blending, texture selection and the sprite family.
#include "gfx/draw.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

#include "aerox/drawing.h"
#include "gfx/gl_entry_points.h"
#include "gfx/held_frame.h"
#include "gfx/sprite_store.h"
#include "runtime/command_trace.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"

namespace {

constexpr double kDegreesPerRadian = 57.2957795;

unsigned int SlotTexture(const OpenGLZodadodu& context, int slot, int mipChoice, const unsigned int* table) {
    if (table != nullptr) return table[slot];
    const SpriteSlot& s = context.sprites[static_cast<size_t>(slot)];
    return mipChoice != 0 ? s.MipTexture : s.SpriteTexture;
}

// The slot to draw, or nullptr for an empty slot or a number outside the store.
const SpriteSlot* DrawableSlot(const char* command, double number) {
    if (!RequireEngine(g_engine != nullptr, command)) return nullptr;
    const SpriteSlot* slot = SlotFor(*g_engine, number);
    return slot != nullptr && slot->imageWidth > 0 ? slot : nullptr;
}

// One counter-clockwise fan of the slot's image with its four corners given
// in screen coordinates: top-left, top-right, bottom-right, bottom-left.
void DrawSlotQuad(double number, const SpriteSlot& slot, const float (&corners)[4][2]) {
    const float s = static_cast<float>(slot.imageWidth) / static_cast<float>(slot.textureWidth);
    const float t = static_cast<float>(slot.imageHeight) / static_cast<float>(slot.textureHeight);
    for (const auto& corner : corners)
        if (!std::isfinite(corner[0]) || !std::isfinite(corner[1])) return;
    BindSpriteTexture(*g_engine, TruncateNumber(number), -1, 0);
    // Texture row 0 holds the image's bottom row.
    held::Begin(GL_TRIANGLE_FAN);
    held::TexCoord2f(0, 0);
    held::Vertex2f(corners[3][0], -corners[3][1]);
    held::TexCoord2f(s, 0);
    held::Vertex2f(corners[2][0], -corners[2][1]);
    held::TexCoord2f(s, t);
    held::Vertex2f(corners[1][0], -corners[1][1]);
    held::TexCoord2f(0, t);
    held::Vertex2f(corners[0][0], -corners[0][1]);
    held::End();
}

void DrawSlotRect(double number, const SpriteSlot& slot, float left, float top, float width, float height) {
    // A quad wholly outside the view shows nothing: skip the GL work (shots
    // that flew off the screen are still drawn by the game every frame).
    const OpenGLZodadodu& context = *g_engine;
    if (left >= static_cast<float>(context.viewportWidth) || top >= static_cast<float>(context.viewportHeight) ||
        left + width <= 0 || top + height <= 0)
        return;
    const float corners[4][2] = {{left, top}, {left + width, top}, {left + width, top + height}, {left, top + height}};
    DrawSlotQuad(number, slot, corners);
}

// The image, scaled, turned by angle degrees about (centreX, centreY).
void DrawSlotTurned(double number, const SpriteSlot& slot, float centreX, float centreY, double angle, float scale) {
    const float halfW = static_cast<float>(slot.imageWidth) * scale / 2;
    const float halfH = static_cast<float>(slot.imageHeight) * scale / 2;
    const float c = static_cast<float>(std::cos(angle / kDegreesPerRadian));
    const float s = static_cast<float>(std::sin(angle / kDegreesPerRadian));
    const float offsets[4][2] = {{-halfW, -halfH}, {halfW, -halfH}, {halfW, halfH}, {-halfW, halfH}};
    float corners[4][2];
    for (int i = 0; i < 4; ++i) {
        // Counter-clockwise as seen on the screen (y grows downwards).
        const float dx = offsets[i][0], dy = offsets[i][1];
        corners[i][0] = centreX + dx * c + dy * s;
        corners[i][1] = centreY - dx * s + dy * c;
    }
    DrawSlotQuad(number, slot, corners);
}

float RoundedUp(double value) { return static_cast<float>(std::ceil(value)); }

}  // namespace

void BindSpriteTexture(OpenGLZodadodu& context, int slot, int secondSlot, int mipChoice, const unsigned int* table) {
    // Every state change makes the software renderer set up a new batch:
    // selecting the texture that is already selected costs nothing.
    if (table == nullptr && context.textureSelectionCurrent && context.boundSlot == slot &&
        context.secondSlot == secondSlot && context.mipChoice == mipChoice)
        return;
    context.textureSelectionCurrent = table == nullptr;
    context.boundSlot = slot;
    context.secondSlot = secondSlot;
    context.mipChoice = mipChoice;
    if (slot >= kSpriteSlotCount) slot = -1;
    if (secondSlot >= kSpriteSlotCount) secondSlot = -1;
    const MultitextureEntryPoints& multi = Multitexture();
    if (multi.glMultiTexCoord2fARB == nullptr) {
        if (slot < 0) {
            held::Disable(GL_TEXTURE_2D);
            held::Enable(GL_COLOR_MATERIAL);
            return;
        }
        held::BindTexture(GL_TEXTURE_2D, SlotTexture(context, slot, mipChoice, table));
        held::Enable(GL_TEXTURE_2D);
        return;
    }
    held::ActiveTexture(GL_TEXTURE1_ARB);
    if (slot >= 0 && secondSlot >= 0) {
        held::BindTexture(GL_TEXTURE_2D, SlotTexture(context, slot, mipChoice, table));
        held::Enable(GL_TEXTURE_2D);
    } else {
        held::Disable(GL_TEXTURE_2D);
    }
    held::ActiveTexture(GL_TEXTURE0_ARB);
    if (slot < 0) {
        held::Disable(GL_TEXTURE_2D);
        return;
    }
    held::BindTexture(GL_TEXTURE_2D, SlotTexture(context, secondSlot >= 0 ? secondSlot : slot, mipChoice, table));
    held::Enable(GL_TEXTURE_2D);
}

void ForgetTextureSelection(OpenGLZodadodu& context) { context.textureSelectionCurrent = false; }

void AlphaMode(double value) {
    TraceCommand("AlphaMode", {value});
    if (!RequireEngine(g_engine != nullptr, "AlphaMode")) return;
    float a = std::isnan(value) ? 0.0f : static_cast<float>(value);
    if (a == 0) {
        held::Disable(GL_BLEND);
        a = 1.0f;
    } else if (a > 0) {
        held::Enable(GL_BLEND);
        held::BlendFunc(GL_ONE, GL_ONE);
    } else {
        held::Enable(GL_BLEND);
        held::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        a = -a;
    }
    a = std::min(a, 1.0f);
    g_engine->currentAlpha = a;
    held::Color4f(a, a, a, a);
}

void DrawSprite(double slot, double x, double y) {
    TraceCommand("DrawSprite", {slot, x, y});
    if (const SpriteSlot* s = DrawableSlot("DrawSprite", slot))
        DrawSlotRect(slot, *s, RoundedUp(x), RoundedUp(y), static_cast<float>(s->imageWidth),
                     static_cast<float>(s->imageHeight));
}

void StretchSprite(double slot, double x, double y, double width, double height) {
    if (const SpriteSlot* s = DrawableSlot("StretchSprite", slot))
        DrawSlotRect(slot, *s, RoundedUp(x), RoundedUp(y), RoundedUp(width), RoundedUp(height));
}

void ZoomSprite(double slot, double x, double y, double xFactor, double yFactor) {
    const SpriteSlot* s = DrawableSlot("ZoomSprite", slot);
    if (s == nullptr) return;
    const float width = RoundedUp(std::fabs(s->imageWidth * xFactor));
    const float height = RoundedUp(std::fabs(s->imageHeight * yFactor));
    // Grows about the image centre.
    const float left = RoundedUp(x) - (width - static_cast<float>(s->imageWidth)) / 2;
    const float top = RoundedUp(y) - (height - static_cast<float>(s->imageHeight)) / 2;
    DrawSlotRect(slot, *s, left, top, width, height);
}

void RotoSprite(double slot, double x, double y, double angle) {
    if (const SpriteSlot* s = DrawableSlot("RotoSprite", slot))
        DrawSlotTurned(slot, *s, RoundedUp(x) + static_cast<float>(s->imageWidth) / 2,
                       RoundedUp(y) + static_cast<float>(s->imageHeight) / 2, angle, 1.0f);
}

void RotoZoomSprite(double slot, double x, double y, double angle, double scale) {
    if (const SpriteSlot* s = DrawableSlot("RotoZoomSprite", slot)) {
        // Turned about the whole pixel nearest the centre, rounded down.
        const int halfWidth = s->imageWidth / 2, halfHeight = s->imageHeight / 2;
        DrawSlotTurned(slot, *s, static_cast<float>(x) + static_cast<float>(halfWidth),
                       static_cast<float>(y) + static_cast<float>(halfHeight), angle, static_cast<float>(scale));
    }
}

void GetScreenSize(double& width, double& height) {
    width = height = 0;
    if (!RequireEngine(g_engine != nullptr, "GetScreenSize")) return;
    width = g_engine->screenWidth;
    height = g_engine->screenHeight;
}
