// Pixel-exact collision of two placed sprites, from their alpha masks.
#include <algorithm>

#include "aerox/drawing.h"
#include "gfx/draw.h"
#include "gfx/sprite_store.h"
#include "gfx/texture_alpha.h"
#include "runtime/command_trace.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"

namespace {

// Slots get their mask at load; one made some other way (a font built in
// memory, say) is read back from its texture once.
bool EnsureCollisionMask(SpriteSlot& slot) {
    const size_t size = static_cast<size_t>(slot.textureWidth) * slot.textureHeight;
    if (slot.CollisionMask.size() == size) return true;
    if (slot.SpriteTexture == 0 || slot.textureWidth <= 0 || slot.textureHeight <= 0) return false;
    std::vector<uint8_t> texels(size);
    if (!ReadTextureAlpha(slot.SpriteTexture, slot.textureWidth, slot.textureHeight, texels.data())) return false;
    // The texture is upside down; mask row 0 is the sprite's top row.
    slot.CollisionMask.assign(size, 0);
    const size_t row = static_cast<size_t>(slot.textureWidth);
    for (int v = 0; v < slot.imageHeight && v < slot.textureHeight; ++v)
        std::copy_n(texels.data() + static_cast<size_t>(slot.imageHeight - 1 - v) * row, row,
                    slot.CollisionMask.data() + static_cast<size_t>(v) * row);
    if (g_engine != nullptr) ForgetTextureSelection(*g_engine);
    return true;
}

}  // namespace

double SpriteCollision(double slot1, double x1, double y1, double slot2, double x2, double y2) {
    TraceCommand("SpriteCollision", {slot1, x1, y1, slot2, x2, y2});
    if (!RequireEngine(g_engine != nullptr, "SpriteCollision")) return 0;
    SpriteSlot* a = SlotFor(*g_engine, slot1);
    SpriteSlot* b = SlotFor(*g_engine, slot2);
    if (a == nullptr || b == nullptr || a->imageWidth <= 0 || b->imageWidth <= 0) return 0;
    const int ax = TruncateNumber(x1), ay = TruncateNumber(y1);
    const int bx = TruncateNumber(x2), by = TruncateNumber(y2);

    const int left = std::max(ax, bx), right = std::min(ax + a->imageWidth, bx + b->imageWidth);
    if (left >= right) return 0;  // apart, or only touching
    const int top = std::max(ay, by), bottom = std::min(ay + a->imageHeight, by + b->imageHeight);
    if (top >= bottom) return 0;
    if (!EnsureCollisionMask(*a) || !EnsureCollisionMask(*b)) return 0;

    // Sprite 1 counts every pixel that is not fully transparent, sprite 2
    // only fully opaque ones. Even rows first: most overlaps show there.
    const uint8_t* maskA = a->CollisionMask.data();
    const uint8_t* maskB = b->CollisionMask.data();
    const size_t strideA = static_cast<size_t>(a->textureWidth), strideB = static_cast<size_t>(b->textureWidth);
    for (int firstRow = top; firstRow < top + 2; ++firstRow) {
        for (int x = left; x < right; ++x) {
            const uint8_t* columnA = maskA + (x - ax);
            const uint8_t* columnB = maskB + (x - bx);
            for (int y = firstRow; y < bottom; y += 2) {
                if (columnA[static_cast<size_t>(y - ay) * strideA] != 0 &&
                    columnB[static_cast<size_t>(y - by) * strideB] == 255)
                    return 1;
            }
        }
    }
    return 0;
}
