// aerox_assets <out-dir>: writes the game's bitmaps and sounds under <out-dir>.
// aerox_assets --icons <out-dir>: writes the desktop icons under <out-dir>.
// aerox_assets --meshes <out-dir>: writes the 3D meshes (.amsh) under <out-dir>.

#include <exception>
#include <iostream>
#include <string_view>

#include "aerox/assets/asset_set.hpp"
#include "aerox/assets/meshes.hpp"

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
    const bool meshes = argc == 3 && std::string_view(argv[1]) == "--meshes";
    if (argc != 2 && !icons && !meshes) {
        const char* self = argc > 0 ? argv[0] : "aerox_assets";
        std::cerr << "usage: " << self << " <output-folder>\n       " << self << " --icons <output-folder>\n       "
                  << self << " --meshes <output-folder>\n";
        return 2;
    }
    try {
        if (icons)
            aerox::assets::writeIcons(argv[2]);
        else if (meshes)
            aerox::assets::writeMeshes(argv[2]);
        else
            aerox::assets::writeAssets(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "aerox_assets: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
