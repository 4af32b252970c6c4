// LoadShader, SetShaderNumber and SetMeshShader. Programs belong to the
// window's GL context, so these need the running engine.
#include <cstdio>
#include <memory>
#include <string>

#include "aerox/scene3d.h"
#include "gfx/data_resolver.h"
#include "gfx/engine_context.h"
#include "render3d/command_arguments.h"
#include "render3d/scene_state.h"
#include "render3d/shader_entry_points.h"
#include "render3d/shader_store.h"
#include "runtime/engine_required.h"

namespace {

constexpr long kMaxShaderBytes = 1024L * 1024;
constexpr unsigned int kFloat = 0x1406, kVec2 = 0x8B50, kVec3 = 0x8B51, kVec4 = 0x8B52;

bool ReadText(const std::string& name, std::string& text, std::string& error) {
    std::string resolved;
    if (!ResolveAssetFile(name, resolved)) resolved = name;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(resolved.c_str(), "rb"), std::fclose);
    if (file == nullptr) {
        error = "'" + name.substr(0, 200) + "' cannot be opened";
        return false;
    }
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
        if (text.size() + got > static_cast<size_t>(kMaxShaderBytes)) {
            // Appended piece by piece: GCC 12 at -O3 sees a false overlap
            // in "..." + std::string.
            error.clear();
            error += '\'';
            error += name.substr(0, 200);
            error += "' is larger than 1 MB";
            return false;
        }
        text.append(chunk, got);
    }
    return true;
}

int ShaderSlotNumber(const char* command, double slot) {
    if (!(slot >= 0 && slot < kShaderSlots)) {
        Log3d(command, "shader slot " + NumberText3d(slot) + " is not 0..255");
        return -1;
    }
    return static_cast<int>(slot);
}

// The slot's program when it holds one of the current GL context, else null (logged).
ShaderSlot* FilledShaderSlot(const char* command, double slot) {
    const int n = ShaderSlotNumber(command, slot);
    if (n < 0) return nullptr;
    ShaderSlot& s = ShaderSlots()[n];
    if (s.program == 0 || s.owner != g_engine->glContext) {
        Log3d(command, "shader slot " + std::to_string(n) + " holds no shader");
        return nullptr;
    }
    return &s;
}

}  // namespace

double LoadShader(double slot, const RtString& vertexPath, const RtString& fragmentPath) {
    if (!RequireEngine(g_engine != nullptr, "LoadShader")) return 0;
    const int n = ShaderSlotNumber("LoadShader", slot);
    if (n < 0) return 0;
    ReleaseShaderSlot(ShaderSlots()[n], g_engine->glContext);
    std::string vertex, fragment, error;
    if (!ReadText(vertexPath.Text(), vertex, error) || !ReadText(fragmentPath.Text(), fragment, error) ||
        g_engine->window == nullptr || !BuildShaderProgram(vertex, fragment, ShaderSlots()[n], error)) {
        Log3d("LoadShader", error.empty() ? "no window to compile for" : error);
        return 0;
    }
    ShaderSlots()[n].owner = g_engine->glContext;
    return 1;
}

double SetShaderNumber(double slot, const RtString& name, double a, double b, double c, double d) {
    if (!RequireEngine(g_engine != nullptr, "SetShaderNumber")) return 0;
    ShaderSlot* s = FilledShaderSlot("SetShaderNumber", slot);
    if (s == nullptr) return 0;
    const std::string wanted = name.Text();
    for (const ShaderUniform& u : s->uniforms) {
        if (u.name != wanted) continue;
        const ShaderEntryPoints& gl = ShaderCalls();
        const auto f = [](double v) { return static_cast<float>(v); };
        gl.glUseProgram(s->program);
        if (u.type == kFloat)
            gl.glUniform1f(u.location, f(a));
        else if (u.type == kVec2)
            gl.glUniform2f(u.location, f(a), f(b));
        else if (u.type == kVec3)
            gl.glUniform3f(u.location, f(a), f(b), f(c));
        else if (u.type == kVec4)
            gl.glUniform4f(u.location, f(a), f(b), f(c), f(d));
        gl.glUseProgram(0);
        if (u.type == kFloat || u.type == kVec2 || u.type == kVec3 || u.type == kVec4) return 1;
        Log3d("SetShaderNumber", "uniform '" + wanted.substr(0, 100) + "' is not a float or vec2..4");
        return 0;
    }
    Log3d("SetShaderNumber", "the shader has no uniform '" + wanted.substr(0, 100) + "'");
    return 0;
}

double SetMeshShader(double slot, double part, double shaderSlot) {
    MeshSlotState* state = FilledMeshSlot("SetMeshShader", slot);
    if (state == nullptr) return 0;
    if (!(part >= 0 && part < static_cast<double>(state->partShader.size()))) {
        Log3d("SetMeshShader",
              "part " + NumberText3d(part) + " is not one of the mesh's " + std::to_string(state->partShader.size()));
        return 0;
    }
    if (shaderSlot == -1) {
        state->partShader[static_cast<int>(part)] = -1;
        return 1;
    }
    if (!RequireEngine(g_engine != nullptr, "SetMeshShader") ||
        FilledShaderSlot("SetMeshShader", shaderSlot) == nullptr)
        return 0;
    state->partShader[static_cast<int>(part)] = static_cast<int>(shaderSlot);
    return 1;
}
