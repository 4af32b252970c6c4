// Feeds arbitrary bytes to the bitmap decoder.
#include <cstddef>
#include <cstdint>

#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbaImage image;
    if (ReadBmpMemory(image, data, size, kSpriteColourKey)) {
        if (image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) __builtin_trap();
    }
    return 0;
}
