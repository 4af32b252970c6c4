// Desktop GLSL 1.10 has no precision qualifiers: they are defined away.
#include "render3d/shader_dialect.h"

const char* ShaderPreamble(bool) { return "#version 110\n#define lowp\n#define mediump\n#define highp\n#line 1\n"; }
