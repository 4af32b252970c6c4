// Wavefront OBJ files (with their MTL materials) through Debian's
// tinyobjloader.
#pragma once
#include <string>

#include "mesh_assembly.h"

bool ImportObj(const std::string& path, ImportedModel& model, std::string& error);
