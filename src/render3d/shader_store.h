// Shader programs in slots 0..255, each with the uniforms the engine sets
// at every draw looked up once at link time.
#pragma once
#include <array>
#include <string>
#include <vector>

constexpr int kShaderSlots = 256;

// The vertex attributes every program gets, bound by these names.
constexpr unsigned int kAttributePosition = 0;  // a_position, vec3
constexpr unsigned int kAttributeNormal = 1;    // a_normal, vec3
constexpr unsigned int kAttributeTexcoord = 2;  // a_texcoord, vec2

struct ShaderUniform {
    std::string name;
    int location = -1;
    unsigned int type = 0;  // GL_FLOAT, GL_FLOAT_VEC2 .. 4
};

struct ShaderSlot {
    unsigned int program = 0;  // 0: empty
    void* owner = nullptr;     // the GL context the program belongs to
    std::vector<ShaderUniform> uniforms;
    // The engine's own uniforms, -1 where the program has none.
    int modelViewProjection = -1, modelView = -1, colour = -1, ambient = -1, lightColour = -1, light = -1, texture = -1,
        textured = -1;
};

std::array<ShaderSlot, kShaderSlots>& ShaderSlots();

// Compiles and links a program from GLSL ES 1.00 texts; false with the
// compiler's or linker's message in error.
bool BuildShaderProgram(const std::string& vertex, const std::string& fragment, ShaderSlot& slot, std::string& error);
// Deletes a slot's program (when its GL context is the current one) and
// empties the slot.
void ReleaseShaderSlot(ShaderSlot& slot, void* currentContext);
