#include "gltf_import.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

using Matrix = std::array<double, 16>;  // column-major
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr size_t kMaxElements = 10'000'000;

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k) r[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return r;
}

Matrix LocalMatrix(const tinygltf::Node& node) {
    if (node.matrix.size() == 16) {
        Matrix m{};
        std::copy(node.matrix.begin(), node.matrix.end(), m.begin());
        return m;
    }
    Matrix t = kIdentity, r = kIdentity, s = kIdentity;
    if (node.translation.size() == 3)
        for (int a = 0; a < 3; ++a) t[12 + a] = node.translation[a];
    if (node.scale.size() == 3)
        for (size_t a = 0; a < 3; ++a) s[a * 5] = node.scale[a];
    if (node.rotation.size() == 4) {
        const double x = node.rotation[0], y = node.rotation[1], z = node.rotation[2], w = node.rotation[3];
        r = {1 - 2 * (y * y + z * z),
             2 * (x * y + z * w),
             2 * (x * z - y * w),
             0,
             2 * (x * y - z * w),
             1 - 2 * (x * x + z * z),
             2 * (y * z + x * w),
             0,
             2 * (x * z + y * w),
             2 * (y * z - x * w),
             1 - 2 * (x * x + y * y),
             0,
             0,
             0,
             0,
             1};
    }
    return Multiply(t, Multiply(r, s));
}

// Where an accessor's elements lie in its buffer, checked against both the
// buffer view and the buffer; null (with the reason) when they do not fit.
const unsigned char* AccessorData(const tinygltf::Model& m, int index, size_t elementSize, size_t& stride,
                                  size_t& count, std::string& error) {
    if (index < 0 || static_cast<size_t>(index) >= m.accessors.size()) {
        error = "an accessor that is not there";
        return nullptr;
    }
    const tinygltf::Accessor& a = m.accessors[index];
    if (a.bufferView < 0 || static_cast<size_t>(a.bufferView) >= m.bufferViews.size()) {
        error = "an accessor without a buffer view (sparse accessors are not read)";
        return nullptr;
    }
    const tinygltf::BufferView& view = m.bufferViews[a.bufferView];
    if (view.buffer < 0 || static_cast<size_t>(view.buffer) >= m.buffers.size()) {
        error = "a buffer view without a buffer";
        return nullptr;
    }
    const std::vector<unsigned char>& buffer = m.buffers[view.buffer].data;
    stride = view.byteStride != 0 ? view.byteStride : elementSize;
    count = a.count;
    const size_t viewEnd = view.byteOffset + view.byteLength;
    if (count == 0 || count > kMaxElements || stride < elementSize || viewEnd > buffer.size() ||
        view.byteOffset > viewEnd || a.byteOffset > view.byteLength ||
        view.byteOffset + a.byteOffset + stride * (count - 1) + elementSize > viewEnd) {
        error = "an accessor reaches past its buffer";
        return nullptr;
    }
    return buffer.data() + view.byteOffset + a.byteOffset;
}

bool ReadFloats(const tinygltf::Model& m, int index, int components, std::vector<float>& out, std::string& error) {
    if (index >= 0 && static_cast<size_t>(index) < m.accessors.size() &&
        (m.accessors[index].componentType != TINYGLTF_COMPONENT_TYPE_FLOAT ||
         tinygltf::GetNumComponentsInType(static_cast<uint32_t>(m.accessors[index].type)) != components)) {
        error = "a vertex attribute that is not of floats";
        return false;
    }
    size_t stride = 0, count = 0;
    const unsigned char* data = AccessorData(m, index, 4 * static_cast<size_t>(components), stride, count, error);
    if (data == nullptr) return false;
    out.resize(count * components);
    for (size_t i = 0; i < count; ++i) std::memcpy(&out[i * components], data + i * stride, size_t{4} * components);
    return true;
}

bool ReadIndices(const tinygltf::Model& m, int index, std::vector<uint32_t>& out, std::string& error) {
    if (index < 0 || static_cast<size_t>(index) >= m.accessors.size()) {
        error = "an index accessor that is not there";
        return false;
    }
    const int type = m.accessors[index].componentType;
    const size_t size = type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE    ? 1
                        : type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT ? 2
                        : type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT   ? 4
                                                                         : 0;
    if (size == 0) {
        error = "indices that are not unsigned whole numbers";
        return false;
    }
    size_t stride = 0, count = 0;
    const unsigned char* data = AccessorData(m, index, size, stride, count, error);
    if (data == nullptr) return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = 0;
        std::memcpy(&v, data + i * stride, size);  // little-endian, as glTF is
        out[i] = v;
    }
    return true;
}

uint32_t Colour(const std::vector<double>& factor) {
    uint32_t out = 0;
    for (size_t i = 0; i < 3 && i < factor.size(); ++i)
        out |=
            static_cast<uint32_t>(std::lround(std::clamp(std::isfinite(factor[i]) ? factor[i] : 0.0, 0.0, 1.0) * 255))
            << (8 * i);
    return out;
}

bool AddPrimitive(const tinygltf::Model& m, const tinygltf::Primitive& p, const Matrix& transform, ImportedModel& model,
                  std::string& error) {
    if (p.mode != TINYGLTF_MODE_TRIANGLES) return true;  // points and lines have no faces
    const auto position = p.attributes.find("POSITION");
    if (position == p.attributes.end()) {
        error = "a primitive without positions";
        return false;
    }
    std::vector<float> positions, normals, texcoords;
    if (!ReadFloats(m, position->second, 3, positions, error)) return false;
    const size_t vertices = positions.size() / 3;
    const auto normal = p.attributes.find("NORMAL");
    if (normal != p.attributes.end() &&
        (!ReadFloats(m, normal->second, 3, normals, error) || normals.size() != positions.size())) {
        if (error.empty()) error = "normals and positions of different counts";
        return false;
    }
    const auto texcoord = p.attributes.find("TEXCOORD_0");
    if (texcoord != p.attributes.end() &&
        (!ReadFloats(m, texcoord->second, 2, texcoords, error) || texcoords.size() != 2 * vertices)) {
        if (error.empty()) error = "texture coordinates and positions of different counts";
        return false;
    }
    std::vector<uint32_t> indices;
    if (p.indices >= 0) {
        if (!ReadIndices(m, p.indices, indices, error)) return false;
    } else {
        for (uint32_t i = 0; i < vertices; ++i) indices.push_back(i);
    }
    if (indices.size() % 3 != 0) {
        error = "a triangle list whose length is not a multiple of 3";
        return false;
    }
    model.hasNormals = model.hasNormals || !normals.empty();
    model.hasTexcoords = model.hasTexcoords || !texcoords.empty();
    const uint32_t material = p.material >= 0 && static_cast<size_t>(p.material) < m.materials.size()
                                  ? static_cast<uint32_t>(p.material)
                                  : static_cast<uint32_t>(m.materials.size());
    for (size_t t = 0; t < indices.size(); t += 3) {
        for (size_t k = 0; k < 3; ++k) {
            const size_t i = indices[t + k];
            if (i >= vertices) {
                error = "an index beyond the vertices";
                return false;
            }
            ImportedVertex v;
            for (int row = 0; row < 3; ++row) {
                v.position[row] =
                    static_cast<float>(transform[row] * positions[3 * i] + transform[4 + row] * positions[3 * i + 1] +
                                       transform[8 + row] * positions[3 * i + 2] + transform[12 + row]);
                if (!normals.empty())
                    v.normal[row] =
                        static_cast<float>(transform[row] * normals[3 * i] + transform[4 + row] * normals[3 * i + 1] +
                                           transform[8 + row] * normals[3 * i + 2]);
            }
            if (!texcoords.empty()) {
                v.texcoord[0] = texcoords[2 * i];
                v.texcoord[1] = texcoords[2 * i + 1];
            }
            model.corners.push_back(v);
        }
        model.triangleMaterial.push_back(material);
    }
    return true;
}

bool AddNode(const tinygltf::Model& m, int index, const Matrix& parent, int depth, ImportedModel& model,
             std::string& error) {
    if (index < 0 || static_cast<size_t>(index) >= m.nodes.size() || depth > 64) {
        error = "a node that is not there, or nodes nested too deep";
        return false;
    }
    const tinygltf::Node& node = m.nodes[index];
    const Matrix transform = Multiply(parent, LocalMatrix(node));
    if (node.mesh >= 0) {
        if (static_cast<size_t>(node.mesh) >= m.meshes.size()) {
            error = "a node with a mesh that is not there";
            return false;
        }
        for (const tinygltf::Primitive& p : m.meshes[node.mesh].primitives)
            if (!AddPrimitive(m, p, transform, model, error)) return false;
    }
    for (int child : node.children)
        if (!AddNode(m, child, transform, depth + 1, model, error)) return false;
    return true;
}

}  // namespace

bool ImportGltf(const std::string& path, ImportedModel& model, std::string& error) {
    tinygltf::Model m;
    tinygltf::TinyGLTF loader;
    std::string warning;
    const bool binary = path.size() >= 4 && path.compare(path.size() - 4, 4, ".glb") == 0;
    const bool loaded = binary ? loader.LoadBinaryFromFile(&m, &error, &warning, path)
                               : loader.LoadASCIIFromFile(&m, &error, &warning, path);
    if (!loaded) {
        if (error.empty()) error = "it is not a glTF 2.0 file";
        return false;
    }
    error.clear();
    for (const tinygltf::Material& material : m.materials) {
        MeshMaterial out;
        out.colour = Colour(material.pbrMetallicRoughness.baseColorFactor);
        const int texture = material.pbrMetallicRoughness.baseColorTexture.index;
        if (texture >= 0 && static_cast<size_t>(texture) < m.textures.size()) {
            const int image = m.textures[texture].source;
            if (image >= 0 && static_cast<size_t>(image) < m.images.size()) out.texture = m.images[image].uri;
        }
        model.materials.push_back(out);
    }
    const int scene = m.defaultScene >= 0 ? m.defaultScene : 0;
    if (static_cast<size_t>(scene) < m.scenes.size()) {
        for (int node : m.scenes[scene].nodes)
            if (!AddNode(m, node, kIdentity, 0, model, error)) return false;
    } else {
        // No scene: every mesh once, where it is.
        for (const tinygltf::Mesh& mesh : m.meshes)
            for (const tinygltf::Primitive& p : mesh.primitives)
                if (!AddPrimitive(m, p, kIdentity, model, error)) return false;
    }
    return true;
}
