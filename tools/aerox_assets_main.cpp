// aerox_assets <out-dir>: writes the game's bitmaps and sounds under <out-dir>.

#include <exception>
#include <iostream>

#include "aerox/assets/asset_set.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "aerox_assets") << " <output-folder>\n";
        return 2;
    }
    try {
        aerox::assets::writeAssets(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "aerox_assets: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
