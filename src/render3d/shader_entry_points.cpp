#include "render3d/shader_entry_points.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdlib>

namespace {

ShaderEntryPoints g_shaders;

template <typename Fn>
bool Load(Fn& target, const char* name) {
    target = reinterpret_cast<Fn>(SDL_GL_GetProcAddress(name));
    return target != nullptr;
}

}  // namespace

const ShaderEntryPoints& ShaderCalls() {
    if (g_shaders.looked) return g_shaders;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) return g_shaders;  // no context yet: look again later
    g_shaders.looked = true;
    // "OpenGL ES 2.0 ..." (WebGL) has them, as does any desktop GL from 2.0 on.
    if (version[0] != 'O' && std::atoi(version) < 2) return g_shaders;
    ShaderEntryPoints& s = g_shaders;
    const bool all = Load(s.glCreateShader, "glCreateShader") && Load(s.glShaderSource, "glShaderSource") &&
                     Load(s.glCompileShader, "glCompileShader") && Load(s.glGetShaderiv, "glGetShaderiv") &&
                     Load(s.glGetShaderInfoLog, "glGetShaderInfoLog") && Load(s.glDeleteShader, "glDeleteShader") &&
                     Load(s.glCreateProgram, "glCreateProgram") && Load(s.glAttachShader, "glAttachShader") &&
                     Load(s.glBindAttribLocation, "glBindAttribLocation") && Load(s.glLinkProgram, "glLinkProgram") &&
                     Load(s.glGetProgramiv, "glGetProgramiv") && Load(s.glGetProgramInfoLog, "glGetProgramInfoLog") &&
                     Load(s.glDeleteProgram, "glDeleteProgram") && Load(s.glUseProgram, "glUseProgram") &&
                     Load(s.glGetUniformLocation, "glGetUniformLocation") &&
                     Load(s.glGetActiveUniform, "glGetActiveUniform") && Load(s.glUniform1f, "glUniform1f") &&
                     Load(s.glUniform2f, "glUniform2f") && Load(s.glUniform3f, "glUniform3f") &&
                     Load(s.glUniform4f, "glUniform4f") && Load(s.glUniform1i, "glUniform1i") &&
                     Load(s.glUniformMatrix4fv, "glUniformMatrix4fv") &&
                     Load(s.glVertexAttribPointer, "glVertexAttribPointer") &&
                     Load(s.glEnableVertexAttribArray, "glEnableVertexAttribArray") &&
                     Load(s.glDisableVertexAttribArray, "glDisableVertexAttribArray");
    if (!all) {
        s = ShaderEntryPoints{};
        s.looked = true;
    }
    return g_shaders;
}
