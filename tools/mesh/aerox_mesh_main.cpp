// aerox-mesh INPUT OUTPUT: turns a glTF 2.0 (.gltf, .glb) or OBJ model into
// the engine's mesh file (.amsh). Exit code 0, or 1 with the reason on
// standard error; OUTPUT is written whole or not at all. A model of more
// vertices than 16-bit indices reach becomes several files (see PieceName).
#include <cstdio>
#include <string>
#include <vector>

#include "gltf_import.h"
#include "mesh_assembly.h"
#include "obj_import.h"
#include "render3d/mesh_format.h"

namespace {

bool EndsWith(const std::string& text, const char* suffix) {
    const std::string s = suffix;
    if (text.size() < s.size()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = text[text.size() - s.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c + 32 : c) != s[i]) return false;
    }
    return true;
}

int Fail(const std::string& input, const std::string& why) {
    std::fprintf(stderr, "aerox-mesh: %s: %s\n", input.c_str(), why.c_str());
    return 1;
}

// Beside the output first, then renamed over it: never half a file.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot be written";
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    if (std::fclose(file) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot be written";
        return false;
    }
    return true;
}

// The file of the n-th mesh (from 0): the output itself, then "-2", "-3"...
// before its extension.
std::string PieceName(const std::string& output, size_t n) {
    if (n == 0) return output;
    const size_t slash = output.find_last_of("/\\");
    size_t dot = output.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = output.size();
    return output.substr(0, dot) + "-" + std::to_string(n + 1) + output.substr(dot);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: aerox-mesh INPUT OUTPUT\n"
                     "  INPUT: a glTF 2.0 (.gltf, .glb) or OBJ (.obj) model\n"
                     "  OUTPUT: the engine's mesh file (.amsh)\n");
        return 1;
    }
    const std::string input = argv[1], output = argv[2];
    ImportedModel model;
    std::string error;
    bool read = false;
    if (EndsWith(input, ".obj"))
        read = ImportObj(input, model, error);
    else if (EndsWith(input, ".gltf") || EndsWith(input, ".glb"))
        read = ImportGltf(input, model, error);
    else
        return Fail(input, "not a .gltf, .glb or .obj file");
    if (!read) return Fail(input, error);
    std::vector<Mesh> meshes;
    if (!AssembleMeshes(model, meshes, error)) return Fail(input, error);
    // More vertices than one mesh holds: OUTPUT, then OUTPUT-2, OUTPUT-3...
    // (before the extension), to be drawn together.
    for (size_t n = 0; n < meshes.size(); ++n) {
        const Mesh& mesh = meshes[n];
        const std::string path = PieceName(output, n);
        if (!WriteWhole(path, WriteMeshBytes(mesh), error)) return Fail(path, error);
        std::printf("%s: %u vertices, %u triangles, %zu parts, %s\n", path.c_str(), mesh.VertexCount(),
                    mesh.TriangleCount(), mesh.parts.size(),
                    mesh.closed ? "closed (casts shadows)" : "open (casts no shadow)");
    }
    return 0;
}
