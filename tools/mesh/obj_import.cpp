#include "obj_import.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cmath>

namespace {

uint32_t Colour(const tinyobj::real_t c[3]) {
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        const double v = std::isfinite(c[i]) ? std::clamp(static_cast<double>(c[i]), 0.0, 1.0) : 0.0;
        out |= static_cast<uint32_t>(std::lround(v * 255)) << (8 * i);
    }
    return out;
}

}  // namespace

bool ImportObj(const std::string& path, ImportedModel& model, std::string& error) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(path, config)) {
        error = reader.Error().empty() ? "it is not an OBJ file" : reader.Error();
        return false;
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    for (const tinyobj::material_t& m : reader.GetMaterials()) {
        MeshMaterial material;
        material.colour = Colour(m.diffuse);
        material.specular = Colour(m.specular);
        material.shininess = std::isfinite(m.shininess) ? std::clamp(static_cast<float>(m.shininess), 0.0f, 128.0f) : 0;
        material.texture = m.diffuse_texname;
        model.materials.push_back(material);
    }
    const size_t positions = attrib.vertices.size() / 3, normals = attrib.normals.size() / 3,
                 texcoords = attrib.texcoords.size() / 2;
    model.hasNormals = normals > 0;
    model.hasTexcoords = texcoords > 0;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const auto& indices = shape.mesh.indices;
        const auto& faceVertices = shape.mesh.num_face_vertices;
        size_t at = 0;
        for (size_t f = 0; f < faceVertices.size(); ++f) {
            const size_t count = faceVertices[f];
            if (count != 3 || at + 3 > indices.size()) {
                error = "a face that is not a triangle after triangulation";
                return false;
            }
            for (size_t k = 0; k < 3; ++k) {
                const tinyobj::index_t& i = indices[at + k];
                if (i.vertex_index < 0 || static_cast<size_t>(i.vertex_index) >= positions ||
                    (i.normal_index >= 0 && static_cast<size_t>(i.normal_index) >= normals) ||
                    (i.texcoord_index >= 0 && static_cast<size_t>(i.texcoord_index) >= texcoords)) {
                    error = "a face refers to a vertex, normal or texture coordinate that is not there";
                    return false;
                }
                ImportedVertex v;
                for (int a = 0; a < 3; ++a) v.position[a] = attrib.vertices[3 * i.vertex_index + a];
                if (i.normal_index >= 0)
                    for (int a = 0; a < 3; ++a) v.normal[a] = attrib.normals[3 * i.normal_index + a];
                if (i.texcoord_index >= 0) {
                    v.texcoord[0] = attrib.texcoords[2 * i.texcoord_index];
                    v.texcoord[1] = 1 - attrib.texcoords[2 * i.texcoord_index + 1];  // OBJ's v runs up
                }
                model.corners.push_back(v);
            }
            const int material = f < shape.mesh.material_ids.size() ? shape.mesh.material_ids[f] : -1;
            model.triangleMaterial.push_back(material >= 0 && static_cast<size_t>(material) < model.materials.size()
                                                 ? static_cast<uint32_t>(material)
                                                 : static_cast<uint32_t>(model.materials.size()));
            at += 3;
        }
    }
    return true;
}
