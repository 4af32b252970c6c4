// glTF 2.0 files (.gltf with its buffers, or .glb) through Debian's
// tinygltf: every triangle primitive of the default scene, placed by its
// nodes' transforms.
#pragma once
#include <string>

#include "mesh_assembly.h"

bool ImportGltf(const std::string& path, ImportedModel& model, std::string& error);
