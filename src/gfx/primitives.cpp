// Untextured points, lines and rectangles, and reading a screen pixel.
#include <SDL_opengl.h>

#include <cmath>
#include <cstdint>
#include <utility>

#include "aerox/drawing.h"
#include "gfx/draw.h"
#include "gfx/sprite_store.h"
#include "runtime/engine_required.h"
#include "gfx/engine_context.h"

namespace {

constexpr uint32_t kKeyColour = 0x8000FF;  // drawn with alpha 0

uint32_t ColourValue(double colour) {
    if (!std::isfinite(colour)) return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(std::fmod(colour, 4294967296.0)));
}

// Sets up the untextured state for one primitive and restores the drawing
// state when it goes.
class PrimitiveScope {
public:
    explicit PrimitiveScope(double colour) : context_(*g_engine) {
        const float a = context_.currentAlpha;
        const uint32_t value = ColourValue(colour);
        const auto scaled = [a](uint32_t byte) { return static_cast<GLubyte>(static_cast<float>(byte) * a); };
        glDisable(GL_ALPHA_TEST);
        glColor4ub(scaled(value & 255), scaled((value >> 8) & 255), scaled((value >> 16) & 255),
                   (value & 0xFFFFFF) == kKeyColour ? GLubyte{0} : scaled(255));
        slot_ = context_.boundSlot;
        second_ = context_.secondSlot;
        mip_ = context_.mipChoice;
        BindSpriteTexture(context_, -1, -1, 0);
        // Lines and points hit pixel centres.
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glTranslatef(0.375f, 0.375f, 0.0f);
    }
    ~PrimitiveScope() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        const float a = context_.currentAlpha;
        glColor4f(a, a, a, a);
        BindSpriteTexture(context_, slot_, second_, mip_);
        glEnable(GL_ALPHA_TEST);
    }
    PrimitiveScope(const PrimitiveScope&) = delete;
    PrimitiveScope& operator=(const PrimitiveScope&) = delete;

private:
    OpenGLZodadodu& context_;
    int slot_, second_, mip_;
};

float F(double v) { return static_cast<float>(v); }

}  // namespace

void DrawPixel(double x, double y, double colour) {
    if (!RequireEngine(g_engine != nullptr, "DrawPixel")) return;
    PrimitiveScope scope(colour);
    glBegin(GL_POINTS);
    glVertex2f(F(x), -F(y + 1));
    glEnd();
}

void DrawLine(double x1, double y1, double x2, double y2, double colour) {
    if (!RequireEngine(g_engine != nullptr, "DrawLine")) return;
    PrimitiveScope scope(colour);
    glBegin(GL_LINES);
    glVertex2f(F(x1), -F(y1 + 1));
    glVertex2f(F(x2), -F(y2 + 1));
    glEnd();
    glBegin(GL_POINTS);  // the end pixel too
    glVertex2f(F(x2), -F(y2 + 1));
    glEnd();
}

void DrawRect(double x1, double y1, double x2, double y2, double colour) {
    if (!RequireEngine(g_engine != nullptr, "DrawRect")) return;
    PrimitiveScope scope(colour);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x2 += 1;
    y2 += 1;
    glBegin(GL_QUADS);
    glVertex2f(F(x1), -F(y2));
    glVertex2f(F(x2), -F(y2));
    glVertex2f(F(x2), -F(y1));
    glVertex2f(F(x1), -F(y1));
    glEnd();
}

double GetPixel(double x, double y) {
    if (!RequireEngine(g_engine != nullptr, "GetPixel")) return 0;
    const int px = TruncateNumber(x), py = TruncateNumber(y);
    if (px < 0 || py < 0 || px >= g_engine->screenWidth || py >= g_engine->screenHeight) return 0;
    GLubyte rgba[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);  // from the frame's read buffer
    glReadPixels(px, g_engine->screenHeight - 1 - py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] + rgba[1] * 256.0 + rgba[2] * 65536.0;
}
