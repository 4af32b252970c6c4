#include "render3d/mesh_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kTableEntrySize = 12;
constexpr uint32_t kFlagClosed = 1;
constexpr uint32_t kNoString = 0xFFFFFFFFu;
constexpr long kMaxFileBytes = 256L * 1024 * 1024;

constexpr uint32_t Tag(const char (&name)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(name[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(name[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(name[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(name[3])) << 24;
}
constexpr uint32_t kBounds = Tag("BNDS");
constexpr uint32_t kPositions = Tag("POSN");
constexpr uint32_t kNormals = Tag("NORM");
constexpr uint32_t kTexcoords = Tag("TEXC");
constexpr uint32_t kColours = Tag("COLR");
constexpr uint32_t kIndices = Tag("INDX");
constexpr uint32_t kParts = Tag("PART");
constexpr uint32_t kMaterials = Tag("MATL");
constexpr uint32_t kStrings = Tag("STRS");
constexpr uint32_t kEdges = Tag("EDGE");

// --- writing

class Writer {
public:
    void U16(uint16_t v) {
        bytes_.push_back(static_cast<uint8_t>(v));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void F32(float v) {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        U32(bits);
    }
    void Put32At(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// --- reading

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
float GetF32(const uint8_t* p) {
    const uint32_t bits = Get32(p);
    float v = 0;
    std::memcpy(&v, &bits, 4);
    return v;
}

struct Section {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    bool present = false;
};

// The section's records of recordSize bytes, or false when its size is not
// a whole number of them.
bool Records(const Section& s, uint32_t recordSize, uint32_t& count) {
    if (s.size % recordSize != 0) return false;
    count = s.size / recordSize;
    return true;
}

bool ReadFloats(const Section& s, uint32_t perVertex, std::vector<float>& out) {
    uint32_t count = 0;
    if (!Records(s, 4 * perVertex, count)) return false;
    out.resize(static_cast<size_t>(count) * perVertex);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = GetF32(s.data + 4 * i);
        if (!std::isfinite(out[i])) return false;
    }
    return true;
}

bool Fail(std::string& error, const char* why, Mesh& mesh) {
    error = why;
    mesh = Mesh{};
    return false;
}

}  // namespace

void ComputeMeshBounds(Mesh& mesh) {
    for (int a = 0; a < 3; ++a) mesh.boundsMin[a] = mesh.boundsMax[a] = mesh.positions.empty() ? 0 : mesh.positions[a];
    for (size_t i = 0; i + 2 < mesh.positions.size(); i += 3)
        for (int a = 0; a < 3; ++a) {
            mesh.boundsMin[a] = std::fmin(mesh.boundsMin[a], mesh.positions[i + a]);
            mesh.boundsMax[a] = std::fmax(mesh.boundsMax[a], mesh.positions[i + a]);
        }
}

std::vector<uint8_t> WriteMeshBytes(const Mesh& mesh) {
    // The string table: each material's texture name, NUL-terminated.
    std::vector<uint8_t> strings;
    std::vector<uint32_t> nameAt;
    for (const MeshMaterial& m : mesh.materials) {
        if (m.texture.empty()) {
            nameAt.push_back(kNoString);
            continue;
        }
        nameAt.push_back(static_cast<uint32_t>(strings.size()));
        strings.insert(strings.end(), m.texture.begin(), m.texture.end());
        strings.push_back(0);
    }
    struct Planned {
        uint32_t tag;
        bool present;
    };
    const Planned planned[] = {{kBounds, true},
                               {kPositions, true},
                               {kNormals, !mesh.normals.empty()},
                               {kTexcoords, !mesh.texcoords.empty()},
                               {kColours, !mesh.colours.empty()},
                               {kIndices, true},
                               {kParts, true},
                               {kMaterials, true},
                               {kStrings, !strings.empty()},
                               {kEdges, !mesh.edges.empty()}};
    uint32_t sections = 0;
    for (const Planned& p : planned) sections += p.present ? 1 : 0;

    Writer w;
    for (char c : {'A', 'M', 'S', 'H'}) w.Bytes().push_back(static_cast<uint8_t>(c));
    w.U16(kMeshFormatMajor);
    w.U16(kMeshFormatMinor);
    w.U32(mesh.closed ? kFlagClosed : 0);
    w.U32(sections);
    const size_t table = w.Size();
    for (uint32_t i = 0; i < sections * 3; ++i) w.U32(0);
    size_t entry = table;
    for (const Planned& p : planned) {
        if (!p.present) continue;
        while (w.Size() % 4 != 0) w.Bytes().push_back(0);
        const size_t start = w.Size();
        if (p.tag == kBounds) {
            for (float v : mesh.boundsMin) w.F32(v);
            for (float v : mesh.boundsMax) w.F32(v);
        } else if (p.tag == kPositions) {
            for (float v : mesh.positions) w.F32(v);
        } else if (p.tag == kNormals) {
            for (float v : mesh.normals) w.F32(v);
        } else if (p.tag == kTexcoords) {
            for (float v : mesh.texcoords) w.F32(v);
        } else if (p.tag == kColours) {
            for (uint32_t v : mesh.colours) w.U32(v);
        } else if (p.tag == kIndices) {
            for (uint16_t v : mesh.indices) w.U16(v);
        } else if (p.tag == kParts) {
            for (const MeshPart& part : mesh.parts) {
                w.U32(part.firstIndex);
                w.U32(part.indexCount);
                w.U32(part.material);
            }
        } else if (p.tag == kMaterials) {
            for (size_t i = 0; i < mesh.materials.size(); ++i) {
                w.U32(mesh.materials[i].colour);
                w.U32(mesh.materials[i].specular);
                w.F32(mesh.materials[i].shininess);
                w.U32(nameAt[i]);
            }
        } else if (p.tag == kStrings) {
            w.Bytes().insert(w.Bytes().end(), strings.begin(), strings.end());
        } else if (p.tag == kEdges) {
            for (const MeshEdge& e : mesh.edges) {
                w.U16(e.v0);
                w.U16(e.v1);
                w.U32(e.face0);
                w.U32(e.face1);
            }
        }
        w.Put32At(entry, p.tag);
        w.Put32At(entry + 4, static_cast<uint32_t>(start));
        w.Put32At(entry + 8, static_cast<uint32_t>(w.Size() - start));
        entry += kTableEntrySize;
    }
    return std::move(w.Bytes());
}

bool ReadMeshBytes(const uint8_t* data, size_t size, Mesh& mesh, std::string& error) {
    mesh = Mesh{};
    if (data == nullptr || size < kHeaderSize || std::memcmp(data, "AMSH", 4) != 0)
        return Fail(error, "not a mesh file (no AMSH header)", mesh);
    if (Get16(data + 4) > kMeshFormatMajor) return Fail(error, "made for a newer version of the format", mesh);
    const uint32_t sectionCount = Get32(data + 12);
    if (sectionCount > kMaxMeshSections || kHeaderSize + sectionCount * kTableEntrySize > size)
        return Fail(error, "the section table runs past the end of the file", mesh);
    Section bounds, positions, normals, texcoords, colours, indices, parts, materials, strings, edges;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const uint8_t* entry = data + kHeaderSize + i * kTableEntrySize;
        const uint32_t tag = Get32(entry);
        const uint64_t offset = Get32(entry + 4);
        const uint64_t length = Get32(entry + 8);
        if (offset > size || length > size - offset)
            return Fail(error, "a section runs past the end of the file", mesh);
        Section* s = tag == kBounds      ? &bounds
                     : tag == kPositions ? &positions
                     : tag == kNormals   ? &normals
                     : tag == kTexcoords ? &texcoords
                     : tag == kColours   ? &colours
                     : tag == kIndices   ? &indices
                     : tag == kParts     ? &parts
                     : tag == kMaterials ? &materials
                     : tag == kStrings   ? &strings
                     : tag == kEdges     ? &edges
                                         : nullptr;
        if (s == nullptr) continue;  // a later minor version's section
        if (s->present) return Fail(error, "a section appears twice", mesh);
        *s = Section{data + offset, static_cast<uint32_t>(length), true};
    }
    if (!positions.present || !indices.present) return Fail(error, "no positions or no indices", mesh);
    if (!ReadFloats(positions, 3, mesh.positions)) return Fail(error, "bad or non-finite positions", mesh);
    const uint32_t vertices = mesh.VertexCount();
    if (vertices == 0 || vertices > kMaxMeshVertices) return Fail(error, "vertex count not 1..65536", mesh);
    if (normals.present && (!ReadFloats(normals, 3, mesh.normals) || mesh.normals.size() != mesh.positions.size()))
        return Fail(error, "bad normals", mesh);
    if (texcoords.present &&
        (!ReadFloats(texcoords, 2, mesh.texcoords) || mesh.texcoords.size() != 2 * static_cast<size_t>(vertices)))
        return Fail(error, "bad texture coordinates", mesh);
    uint32_t count = 0;
    if (colours.present) {
        if (!Records(colours, 4, count) || count != vertices) return Fail(error, "bad colours", mesh);
        mesh.colours.resize(count);
        for (size_t i = 0; i < count; ++i) mesh.colours[i] = Get32(colours.data + 4 * i) & 0xFFFFFF;
    }
    if (!Records(indices, 2, count) || count == 0 || count % 3 != 0) return Fail(error, "bad index count", mesh);
    mesh.indices.resize(count);
    for (size_t i = 0; i < count; ++i) {
        mesh.indices[i] = Get16(indices.data + 2 * i);
        if (mesh.indices[i] >= vertices) return Fail(error, "an index beyond the vertices", mesh);
    }
    if (materials.present) {
        if (!Records(materials, 16, count)) return Fail(error, "bad materials", mesh);
        mesh.materials.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = materials.data + 16 * i;
            MeshMaterial& m = mesh.materials[i];
            m.colour = Get32(p) & 0xFFFFFF;
            m.specular = Get32(p + 4) & 0xFFFFFF;
            m.shininess = GetF32(p + 8);
            if (!(m.shininess >= 0 && m.shininess <= 128)) return Fail(error, "a shininess outside 0..128", mesh);
            const uint32_t name = Get32(p + 12);
            if (name == kNoString) continue;
            if (name >= strings.size) return Fail(error, "a texture name outside the string table", mesh);
            const void* end = std::memchr(strings.data + name, 0, strings.size - name);
            if (end == nullptr) return Fail(error, "an unterminated texture name", mesh);
            m.texture.assign(reinterpret_cast<const char*>(strings.data + name),
                             static_cast<const uint8_t*>(end) - (strings.data + name));
        }
    }
    if (mesh.materials.empty()) mesh.materials.emplace_back();
    if (parts.present) {
        if (!Records(parts, 12, count)) return Fail(error, "bad parts", mesh);
        mesh.parts.resize(count);
        for (size_t i = 0; i < count; ++i) {
            MeshPart& part = mesh.parts[i];
            part.firstIndex = Get32(parts.data + 12 * i);
            part.indexCount = Get32(parts.data + 12 * i + 4);
            part.material = Get32(parts.data + 12 * i + 8);
            if (part.firstIndex > mesh.indices.size() || part.indexCount > mesh.indices.size() - part.firstIndex ||
                part.indexCount % 3 != 0 || part.firstIndex % 3 != 0 || part.material >= mesh.materials.size())
                return Fail(error, "a part outside the indices or materials", mesh);
        }
    }
    if (mesh.parts.empty()) mesh.parts.push_back(MeshPart{0, static_cast<uint32_t>(mesh.indices.size()), 0});
    if (edges.present) {
        if (!Records(edges, 12, count)) return Fail(error, "bad edges", mesh);
        mesh.edges.resize(count);
        const uint32_t faces = mesh.TriangleCount();
        for (size_t i = 0; i < count; ++i) {
            MeshEdge& e = mesh.edges[i];
            const uint8_t* p = edges.data + 12 * i;
            e = MeshEdge{Get16(p), Get16(p + 2), Get32(p + 4), Get32(p + 8)};
            if (e.v0 >= vertices || e.v1 >= vertices || e.face0 >= faces || (e.face1 != kNoFace && e.face1 >= faces))
                return Fail(error, "an edge beyond the vertices or faces", mesh);
        }
    }
    // Closed only when the edges say so, whatever the flag claims.
    mesh.closed = !mesh.edges.empty();
    for (const MeshEdge& e : mesh.edges) mesh.closed = mesh.closed && e.face1 != kNoFace;
    if (bounds.present) {
        std::vector<float> b;
        if (!ReadFloats(bounds, 6, b) || b.size() != 6) return Fail(error, "bad bounds", mesh);
        for (int a = 0; a < 3; ++a) {
            mesh.boundsMin[a] = b[a];
            mesh.boundsMax[a] = b[3 + a];
        }
    } else {
        ComputeMeshBounds(mesh);
    }
    error.clear();
    return true;
}

bool ReadMeshFile(const std::string& path, Mesh& mesh, std::string& error) {
    mesh = Mesh{};
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (file == nullptr) {
        error = "cannot be opened";
        return false;
    }
    // Sized before any buffer is made: a huge file is refused, not read.
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got == 0) break;
        if (bytes.size() + got > static_cast<size_t>(kMaxFileBytes)) {
            error = "larger than 256 MB";
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (std::ferror(file.get()) != 0) {
        error = "could not be read";
        return false;
    }
    return ReadMeshBytes(bytes.data(), bytes.size(), mesh, error);
}
