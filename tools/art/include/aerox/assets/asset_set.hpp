// The complete set of files the game loads, and writing them to disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace aerox::assets {

struct AssetFile {
    std::string path;  // relative to the output folder, '/'-separated
    std::vector<std::uint8_t> bytes;
};

// Builds every file in memory; deterministic.
std::vector<AssetFile> buildAssets();

// Writes buildAssets() under `outDir`, creating `outDir/data` as needed.
// Throws std::runtime_error (with the failing path) on I/O errors.
void writeAssets(const std::filesystem::path& outDir);

// The desktop icons, laid out as an icon theme's size folders:
// "48x48/aerox.png" and "256x256/aerox.png". Deterministic.
std::vector<AssetFile> buildIcons();
// Writes buildIcons() under `outDir`; errors as writeAssets.
void writeIcons(const std::filesystem::path& outDir);

}  // namespace aerox::assets
