// The engine's binary mesh file (.amsh, described in docs/mesh-format.md):
// written whole from a Mesh, and read back with every offset, size and
// index checked against the file before it is trusted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render3d/mesh.h"

constexpr uint16_t kMeshFormatMajor = 1;
constexpr uint16_t kMeshFormatMinor = 0;
// Far more than any reader of this major version knows; bounds the table.
constexpr uint32_t kMaxMeshSections = 64;

// The file's bytes for the mesh (its edges and closed mark as they are).
std::vector<uint8_t> WriteMeshBytes(const Mesh& mesh);

// Fills mesh from the bytes, or returns false with error saying why (mesh
// is then left empty).
bool ReadMeshBytes(const uint8_t* data, size_t size, Mesh& mesh, std::string& error);

// Reads a file of at most 256 MB through ReadMeshBytes.
bool ReadMeshFile(const std::string& path, Mesh& mesh, std::string& error);
