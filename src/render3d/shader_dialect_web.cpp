// WebGL's GLSL ES 1.00 wants a float precision in fragment shaders.
#include "render3d/shader_dialect.h"

const char* ShaderPreamble(bool fragment) {
    return fragment ? "precision mediump float;\n#line 1\n" : "precision highp float;\n#line 1\n";
}
