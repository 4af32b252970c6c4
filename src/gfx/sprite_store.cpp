#include "gfx/sprite_store.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

#include "aerox/drawing.h"
#include "gfx/data_resolver.h"
#include "gfx/draw.h"
#include "gfx/texture.h"
#include "runtime/command_trace.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"

int TruncateNumber(double value) {
    constexpr double kLimit = 1 << 30;
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return 1 << 30;
    if (value <= -kLimit) return -(1 << 30);
    return static_cast<int>(value);
}

SpriteSlot* SlotFor(OpenGLZodadodu& context, double number) {
    const int slot = TruncateNumber(number);
    if (slot < 0 || slot >= kSpriteSlotCount) return nullptr;
    return &context.sprites[static_cast<size_t>(slot)];
}

void ClearSpriteSlot(OpenGLZodadodu& context, int slot) {
    if (slot < 0 || slot >= kSpriteSlotCount) return;
    SpriteSlot& s = context.sprites[static_cast<size_t>(slot)];
    if (context.GlReady) {
        ForgetTextureSelection(context);
        if (s.SpriteTexture != 0) glDeleteTextures(1, &s.SpriteTexture);
        if (s.MipTexture != 0) glDeleteTextures(1, &s.MipTexture);
    }
    s.SpriteTexture = 0;
    s.MipTexture = 0;
    s.imageWidth = s.imageHeight = 0;
    s.textureWidth = s.textureHeight = -1;
    std::vector<uint8_t>().swap(s.CollisionMask);
}

void BuildCollisionMask(SpriteSlot& slot, const RgbaImage& image) {
    const int width = std::min(image.width, slot.textureWidth);
    const int height = std::min(image.height, slot.textureHeight);
    slot.CollisionMask.assign(static_cast<size_t>(slot.textureWidth) * slot.textureHeight, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = image.pixels.data() + static_cast<size_t>(y) * image.width * 4 + 3;
        uint8_t* dst = slot.CollisionMask.data() + static_cast<size_t>(y) * slot.textureWidth;
        for (int x = 0; x < width; ++x, src += 4) dst[x] = *src;
    }
}

bool StoreSpriteImage(OpenGLZodadodu& context, int slot, const RgbaImage& image) {
    if (slot < 0 || slot >= kSpriteSlotCount) return false;
    ClearSpriteSlot(context, slot);
    if (image.width <= 0 || image.height <= 0) return false;
    const bool font = slot >= kFontSlotBase;
    UploadedTexture uploaded;
    if (!UploadTexture(image, 0, 0, 0, 0, uploaded, !font, font)) return false;
    SpriteSlot& s = context.sprites[static_cast<size_t>(slot)];
    s.SpriteTexture = uploaded.spriteTexture;
    s.MipTexture = uploaded.mipTexture;
    s.textureWidth = uploaded.textureWidth;
    s.textureHeight = uploaded.textureHeight;
    s.imageWidth = uploaded.regionWidth;  // cut to the largest texture when bigger
    s.imageHeight = uploaded.regionHeight;
    BuildCollisionMask(s, image);
    return true;
}

bool LoadSpriteFile(OpenGLZodadodu& context, int slot, const std::string& path, uint32_t colourKey) {
    ClearSpriteSlot(context, slot);
    RgbaImage image;
    if (!ReadImage(image, path, colourKey)) return false;
    return StoreSpriteImage(context, slot, image);
}

void LoadSprite(const RtString& path, double slot) {
    TraceCommand("LoadSprite", {slot}, path.Text());
    if (!RequireEngine(g_engine != nullptr, "LoadSprite") || SlotFor(*g_engine, slot) == nullptr) return;
    const int number = TruncateNumber(slot);
    ClearSpriteSlot(*g_engine, number);
    std::string resolved;
    if (!ResolveAssetFile(path.Text(), resolved) || !LoadSpriteFile(*g_engine, number, resolved, kSpriteColourKey))
        LogLoadFailure("LoadSprite", path.Text(), "a BMP or PNG picture");
}

void GetSpriteSize(double slot, double& width, double& height) {
    width = height = 0;
    if (!RequireEngine(g_engine != nullptr, "GetSpriteSize")) return;
    if (const SpriteSlot* s = SlotFor(*g_engine, slot)) {
        width = s->imageWidth;
        height = s->imageHeight;
    }
}
