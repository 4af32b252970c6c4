// Games write their shaders in one dialect, GLSL ES 1.00; what goes before
// a shader's own text so that this platform's GL compiles it.
#pragma once

// fragment: true for a fragment shader, false for a vertex shader.
const char* ShaderPreamble(bool fragment);
