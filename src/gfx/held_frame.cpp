#include "gfx/held_frame.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/gl_entry_points.h"
#include "runtime/engine_required.h"

namespace {

enum class Call : uint32_t {
    Clear,
    Enable,
    Disable,
    BlendFunc,
    AlphaFunc,
    Color4f,
    ClearColor,
    BindTexture,
    ActiveTexture,
    Begin,
    End,
    TexCoord2f,
    Vertex2f,
    Viewport,
    MatrixMode,
    LoadIdentity,
    OrthoScreen,
    FrontFace,
    Hint,
    ShadeModel,
};

// One call with its arguments: enums and names in a and b, numbers in f.
struct HeldCall {
    Call call;
    uint32_t a;
    uint32_t b;
    float f[4];
    bool operator==(const HeldCall&) const = default;
};

struct HeldFrames {
    bool enabled = false;
    bool holding = false;
    bool shownKnown = false;  // the screen shows the calls in `shown`
    std::vector<HeldCall> calls;
    std::vector<HeldCall> shown;
};
HeldFrames g_held;

void Issue(const HeldCall& c) {
    switch (c.call) {
        case Call::Clear: glClear(c.a); break;
        case Call::Enable: glEnable(c.a); break;
        case Call::Disable: glDisable(c.a); break;
        case Call::BlendFunc: glBlendFunc(c.a, c.b); break;
        case Call::AlphaFunc: glAlphaFunc(c.a, c.f[0]); break;
        case Call::Color4f: glColor4f(c.f[0], c.f[1], c.f[2], c.f[3]); break;
        case Call::ClearColor: glClearColor(c.f[0], c.f[1], c.f[2], c.f[3]); break;
        case Call::BindTexture: glBindTexture(c.a, c.b); break;
        case Call::ActiveTexture: Multitexture().glActiveTextureARB(c.a); break;
        case Call::Begin: glBegin(c.a); break;
        case Call::End: glEnd(); break;
        case Call::TexCoord2f: glTexCoord2f(c.f[0], c.f[1]); break;
        case Call::Vertex2f: glVertex2f(c.f[0], c.f[1]); break;
        case Call::Viewport:
            glViewport(static_cast<GLint>(c.f[0]), static_cast<GLint>(c.f[1]), static_cast<GLsizei>(c.f[2]),
                       static_cast<GLsizei>(c.f[3]));
            break;
        case Call::MatrixMode: glMatrixMode(c.a); break;
        case Call::LoadIdentity: glLoadIdentity(); break;
        case Call::OrthoScreen: glOrtho(0, c.f[0], -c.f[1], 0, -1, 1); break;
        case Call::FrontFace: glFrontFace(c.a); break;
        case Call::Hint: glHint(c.a, c.b); break;
        case Call::ShadeModel: glShadeModel(c.a); break;
    }
}

// A frame of more calls than this is drawn as it comes (about 6 MB held;
// such a frame is hardly the same twice).
constexpr size_t kMaxHeldCalls = 1 << 18;

void Put(Call call, uint32_t a = 0, uint32_t b = 0, float f0 = 0, float f1 = 0, float f2 = 0, float f3 = 0) {
    const HeldCall c{call, a, b, {f0, f1, f2, f3}};
    if (g_held.holding && g_held.calls.size() >= kMaxHeldCalls) DrawHeldFrameNow();
    if (g_held.holding)
        g_held.calls.push_back(c);
    else
        Issue(c);
}

void IssueHeld() {
    for (const HeldCall& c : g_held.calls) Issue(c);
}

// The game commands whose GL calls are all held, or that use no GL. Any
// other command (a new one too) draws the held frame first: a command
// missing here costs a frame drawn, never a wrong one.
constexpr const char* kHeldCommands[] = {
    // Drawing, all of it held.
    "AlphaMode", "DrawSprite", "StretchSprite", "ZoomSprite", "RotoSprite", "RotoZoomSprite", "PrintText",
    "PrintNumber", "SetFont", "ShowScreen",
    // No GL at all.
    "GetFontSize", "GetScreenSize", "GetSpriteSize", "GetTimer", "GetFrameTime", "GetFullscreen", "GetWindowScale",
    "GetMaxWindowScale", "SetEscapeEnds", "SetAutoPause", "KeyDown", "KeyPressed", "MouseX", "MouseY", "MouseButton",
    "MouseWheel", "MouseMoved", "ShowMouse", "JoystickAxis", "JoystickButton", "JoystickCount", "JoystickName",
    "StartTextInput", "StopTextInput", "TextInput", "TextComposition", "SoundPlaying", "PlaySound", "StopSounds"};

bool IsHeldCommand(const char* command) {
    for (const char* name : kHeldCommands)
        if (std::strcmp(name, command) == 0) return true;
    return false;
}

// Command names are literals: the answer is kept per address, so the
// common commands cost one lookup.
bool HeldCommandCached(const char* command) {
    struct Entry {
        const char* name;
        bool held;
    };
    static Entry cache[64] = {};
    Entry& e = cache[(reinterpret_cast<uintptr_t>(command) >> 3) & 63];
    if (e.name != command) e = {command, IsHeldCommand(command)};
    return e.held;
}

}  // namespace

namespace held {
void Clear(GLbitfield mask) { Put(Call::Clear, mask); }
void Enable(GLenum cap) { Put(Call::Enable, cap); }
void Disable(GLenum cap) { Put(Call::Disable, cap); }
void BlendFunc(GLenum source, GLenum destination) { Put(Call::BlendFunc, source, destination); }
void AlphaFunc(GLenum function, float reference) { Put(Call::AlphaFunc, function, 0, reference); }
void Color4f(float r, float g, float b, float a) { Put(Call::Color4f, 0, 0, r, g, b, a); }
void ClearColor(float r, float g, float b, float a) { Put(Call::ClearColor, 0, 0, r, g, b, a); }
void BindTexture(GLenum target, GLuint name) { Put(Call::BindTexture, target, name); }
void ActiveTexture(GLenum unit) { Put(Call::ActiveTexture, unit); }
void Begin(GLenum mode) { Put(Call::Begin, mode); }
void End() { Put(Call::End); }
void TexCoord2f(float s, float t) { Put(Call::TexCoord2f, 0, 0, s, t); }
void Vertex2f(float x, float y) { Put(Call::Vertex2f, 0, 0, x, y); }
void Viewport(int x, int y, int width, int height) {
    Put(Call::Viewport, 0, 0, static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
        static_cast<float>(height));
}
void MatrixMode(GLenum mode) { Put(Call::MatrixMode, mode); }
void LoadIdentity() { Put(Call::LoadIdentity); }
void OrthoScreen(int width, int height) {
    Put(Call::OrthoScreen, 0, 0, static_cast<float>(width), static_cast<float>(height));
}
void FrontFace(GLenum mode) { Put(Call::FrontFace, mode); }
void Hint(GLenum target, GLenum mode) { Put(Call::Hint, target, mode); }
void ShadeModel(GLenum mode) { Put(Call::ShadeModel, mode); }
}  // namespace held

void EnableHeldFrames(bool on) {
    if (!on) DrawHeldFrameNow();
    g_held.enabled = on;
    g_held.shownKnown = false;
    SetEngineCommandWatcher(on ? &HeldFrameCommand : nullptr);
}

void BeginHeldFrame() {
    if (!g_held.enabled) return;
    g_held.calls.clear();
    g_held.holding = true;
}

void DrawHeldFrameNow() {
    g_held.shownKnown = false;
    if (!g_held.holding) return;
    g_held.holding = false;
    IssueHeld();
}

bool FinishHeldFrame() {
    if (!g_held.holding) return false;
    g_held.holding = false;
    if (g_held.shownKnown && g_held.calls == g_held.shown) return true;
    IssueHeld();
    g_held.calls.swap(g_held.shown);
    g_held.shownKnown = true;
    return false;
}

void ForgetShownFrame() { g_held.shownKnown = false; }

void HeldFrameCommand(const char* command) {
    if (g_held.enabled && command != nullptr && !HeldCommandCached(command)) DrawHeldFrameNow();
}
