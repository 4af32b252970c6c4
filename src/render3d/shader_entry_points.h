// The GL 2.0 shader entry points, looked up once through SDL. All null
// when the GL has no shaders: LoadShader then fails and meshes keep the
// engine's own lighting.
#pragma once

struct ShaderEntryPoints {
    unsigned int (*glCreateShader)(unsigned int type) = nullptr;
    void (*glShaderSource)(unsigned int shader, int count, const char* const* texts, const int* lengths) = nullptr;
    void (*glCompileShader)(unsigned int shader) = nullptr;
    void (*glGetShaderiv)(unsigned int shader, unsigned int name, int* value) = nullptr;
    void (*glGetShaderInfoLog)(unsigned int shader, int size, int* length, char* text) = nullptr;
    void (*glDeleteShader)(unsigned int shader) = nullptr;
    unsigned int (*glCreateProgram)() = nullptr;
    void (*glAttachShader)(unsigned int program, unsigned int shader) = nullptr;
    void (*glBindAttribLocation)(unsigned int program, unsigned int index, const char* name) = nullptr;
    void (*glLinkProgram)(unsigned int program) = nullptr;
    void (*glGetProgramiv)(unsigned int program, unsigned int name, int* value) = nullptr;
    void (*glGetProgramInfoLog)(unsigned int program, int size, int* length, char* text) = nullptr;
    void (*glDeleteProgram)(unsigned int program) = nullptr;
    void (*glUseProgram)(unsigned int program) = nullptr;
    int (*glGetUniformLocation)(unsigned int program, const char* name) = nullptr;
    void (*glGetActiveUniform)(unsigned int program, unsigned int index, int size, int* length, int* count,
                               unsigned int* type, char* name) = nullptr;
    void (*glUniform1f)(int location, float a) = nullptr;
    void (*glUniform2f)(int location, float a, float b) = nullptr;
    void (*glUniform3f)(int location, float a, float b, float c) = nullptr;
    void (*glUniform4f)(int location, float a, float b, float c, float d) = nullptr;
    void (*glUniform1i)(int location, int a) = nullptr;
    void (*glUniformMatrix4fv)(int location, int count, unsigned char transpose, const float* values) = nullptr;
    void (*glVertexAttribPointer)(unsigned int index, int size, unsigned int type, unsigned char normalised, int stride,
                                  const void* data) = nullptr;
    void (*glEnableVertexAttribArray)(unsigned int index) = nullptr;
    void (*glDisableVertexAttribArray)(unsigned int index) = nullptr;
    bool looked = false;
    bool available() const { return glDisableVertexAttribArray != nullptr; }
};

// Looks them up once (a GL context must be current); all or none are kept.
const ShaderEntryPoints& ShaderCalls();
