// The game's own 3D meshes, made in code as the pictures are: the Aerox
// jet, a crate and the ground, as the engine's mesh files (.amsh).
#pragma once

#include <filesystem>
#include <vector>

#include "aerox/assets/asset_set.hpp"
#include "render3d/mesh.h"

namespace aerox::assets {

// The jet: a lathed fuselage with a canopy, wings, tailplanes and a fin,
// nose along +z, about 3 units long. Every piece is a closed shell, so the
// whole casts shadows.
Mesh makeJetMesh();
// A wooden crate of side 1 (its planks a second part), closed.
Mesh makeCrateMesh();
// A floor of 16 x 16 in the x-z plane facing up, open.
Mesh makeGroundMesh();

// "jet.amsh", "crate.amsh" and "ground.amsh"; deterministic.
std::vector<AssetFile> buildMeshes();
// Writes buildMeshes() under `outDir`; errors as writeAssets.
void writeMeshes(const std::filesystem::path& outDir);

}  // namespace aerox::assets
