#include "aerox/assets/asset_set.hpp"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "aerox/assets/art.hpp"
#include "aerox/assets/formats.hpp"
#include "aerox/assets/meshes.hpp"

namespace aerox::assets {

std::vector<AssetFile> buildAssets() {
    std::vector<AssetFile> files;
    auto bmp = [&files](std::string path, const Image& img) { files.push_back({std::move(path), encodeBmp(img)}); };
    auto wav = [&files](std::string path, const Sound& snd) { files.push_back({std::move(path), encodeWav(snd)}); };
    auto numbered = [](const std::string& stem, int n) { return "data/" + stem + std::to_string(n) + ".bmp"; };

    bmp("data/background.bmp", makeTitle());
    bmp("data/mainmenue.bmp", makeMenuText());
    bmp("data/arrow.bmp", makeArrow());
    bmp("data/shot.bmp", makeShot());
    for (int i = 0; i < 2; ++i) bmp(numbered("water", i + 1), makeWater(i));
    for (int i = 0; i < 3; ++i) bmp(numbered("island", i + 1), makeIsland(i));
    for (int i = 0; i < kPlayerFrames; ++i) bmp(numbered("player3", i + 1), makePlayer(i));
    for (int i = 0; i < kBigExplosionFrames; ++i) bmp(numbered("bigexplosion", i + 1), makeBigExplosion(i));
    for (int i = 0; i < kEnemyFrames; ++i) bmp(numbered("enemy1", i + 1), makeEnemy(i));
    bmp("data/enemy21.bmp", makeHeavyEnemy());
    for (int i = 0; i < kSmallExplosionFrames; ++i) bmp(numbered("smallexplosion", i + 1), makeSmallExplosion(i));
    wav("data/shot.wav", makeShotSound());
    wav("data/explode1.wav", makeSmallExplosionSound());
    wav("data/explode2.wav", makeBigExplosionSound());
    bmp("smalfont.bmp", makeFont());
    return files;
}

std::vector<AssetFile> buildIcons() {
    return {{"48x48/aerox.png", encodePng(makeIcon(48))}, {"256x256/aerox.png", encodePng(scaleUp(makeIcon(64), 4))}};
}

namespace {

void writeFiles(const std::filesystem::path& outDir, const std::vector<AssetFile>& files) {
    for (const auto& f : files) {
        const auto path = outDir / std::filesystem::path(f.path);
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) throw std::runtime_error("cannot create " + path.parent_path().string() + ": " + ec.message());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot open " + path.string() + " for writing");
        out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

void writeAssets(const std::filesystem::path& outDir) { writeFiles(outDir, buildAssets()); }

void writeIcons(const std::filesystem::path& outDir) { writeFiles(outDir, buildIcons()); }

void writeMeshes(const std::filesystem::path& outDir) { writeFiles(outDir, buildMeshes()); }

}  // namespace aerox::assets
