#include "render3d/shader_store.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "render3d/shader_dialect.h"
#include "render3d/shader_entry_points.h"

namespace {

constexpr GLenum kFragmentShader = 0x8B30;
constexpr GLenum kVertexShader = 0x8B31;
constexpr GLenum kCompileStatus = 0x8B81;
constexpr GLenum kLinkStatus = 0x8B82;
constexpr GLenum kInfoLogLength = 0x8B84;
constexpr GLenum kActiveUniforms = 0x8B86;

std::string OneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0')) text.pop_back();
    for (char& c : text)
        if (c == '\n' || c == '\r') c = '|';
    return text.substr(0, 500);
}

unsigned int Compile(const ShaderEntryPoints& gl, GLenum type, const std::string& text, std::string& error) {
    const unsigned int shader = gl.glCreateShader(type);
    const char* parts[2] = {ShaderPreamble(type == kFragmentShader), text.c_str()};
    gl.glShaderSource(shader, 2, parts, nullptr);
    gl.glCompileShader(shader);
    int ok = 0;
    gl.glGetShaderiv(shader, kCompileStatus, &ok);
    if (ok != 0) return shader;
    int length = 0;
    gl.glGetShaderiv(shader, kInfoLogLength, &length);
    std::string log(static_cast<size_t>(length > 0 && length < 65536 ? length : 1), '\0');
    gl.glGetShaderInfoLog(shader, static_cast<int>(log.size()), nullptr, log.data());
    error = std::string(type == kFragmentShader ? "the fragment shader" : "the vertex shader") +
            " does not compile: " + OneLine(log);
    gl.glDeleteShader(shader);
    return 0;
}

}  // namespace

std::array<ShaderSlot, kShaderSlots>& ShaderSlots() {
    static auto* slots = new std::array<ShaderSlot, kShaderSlots>;
    return *slots;
}

bool BuildShaderProgram(const std::string& vertex, const std::string& fragment, ShaderSlot& slot, std::string& error) {
    const ShaderEntryPoints& gl = ShaderCalls();
    if (!gl.available()) {
        error = "the GL has no shaders";
        return false;
    }
    const unsigned int vs = Compile(gl, kVertexShader, vertex, error);
    if (vs == 0) return false;
    const unsigned int fs = Compile(gl, kFragmentShader, fragment, error);
    if (fs == 0) {
        gl.glDeleteShader(vs);
        return false;
    }
    const unsigned int program = gl.glCreateProgram();
    gl.glAttachShader(program, vs);
    gl.glAttachShader(program, fs);
    gl.glBindAttribLocation(program, kAttributePosition, "a_position");
    gl.glBindAttribLocation(program, kAttributeNormal, "a_normal");
    gl.glBindAttribLocation(program, kAttributeTexcoord, "a_texcoord");
    gl.glLinkProgram(program);
    gl.glDeleteShader(vs);
    gl.glDeleteShader(fs);
    int ok = 0;
    gl.glGetProgramiv(program, kLinkStatus, &ok);
    if (ok == 0) {
        int length = 0;
        gl.glGetProgramiv(program, kInfoLogLength, &length);
        std::string log(static_cast<size_t>(length > 0 && length < 65536 ? length : 1), '\0');
        gl.glGetProgramInfoLog(program, static_cast<int>(log.size()), nullptr, log.data());
        error = "the shaders do not link: " + OneLine(log);
        gl.glDeleteProgram(program);
        return false;
    }
    slot = ShaderSlot{};
    slot.program = program;
    int count = 0;
    gl.glGetProgramiv(program, kActiveUniforms, &count);
    for (int i = 0; i < count && i < 256; ++i) {
        char name[128] = {};
        int length = 0, size = 0;
        unsigned int type = 0;
        gl.glGetActiveUniform(program, static_cast<unsigned int>(i), sizeof name - 1, &length, &size, &type, name);
        slot.uniforms.push_back(ShaderUniform{name, gl.glGetUniformLocation(program, name), type});
    }
    slot.modelViewProjection = gl.glGetUniformLocation(program, "u_modelViewProjection");
    slot.modelView = gl.glGetUniformLocation(program, "u_modelView");
    slot.colour = gl.glGetUniformLocation(program, "u_colour");
    slot.ambient = gl.glGetUniformLocation(program, "u_ambient");
    slot.lightColour = gl.glGetUniformLocation(program, "u_lightColour");
    slot.light = gl.glGetUniformLocation(program, "u_light");
    slot.texture = gl.glGetUniformLocation(program, "u_texture");
    slot.textured = gl.glGetUniformLocation(program, "u_textured");
    return true;
}

void ReleaseShaderSlot(ShaderSlot& slot, void* currentContext) {
    if (slot.program != 0 && slot.owner == currentContext && ShaderCalls().available())
        ShaderCalls().glDeleteProgram(slot.program);
    slot = ShaderSlot{};
}
