// SaveSprite and SaveScreen: a picture as PNG (or BMP by its name), saved
// whole or not at all in the per-user folder.
#include <vector>

#include "aerox/files.h"
#include "files/bmp_writer.h"
#include "files/game_paths.h"
#include "files/texture_pixels.h"
#include "gfx/draw.h"
#include "gfx/engine_context.h"
#include "gfx/image.h"
#include "gfx/png_writer.h"
#include "gfx/sprite_store.h"
#include "gfx/window.h"
#include "runtime/engine_required.h"
#include "files/whole_file.h"

namespace {

bool NamesBmp(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return end == ".bmp";
}

double SavePicture(const char* command, const std::string& path, int width, int height,
                   const std::vector<uint8_t>& rgba) {
    GamePath placed;
    std::string target;
    if (!PlaceGamePath(command, path, placed) || !WritablePath(command, placed, target)) return 0;
    std::string bytes;
    const bool encoded = NamesBmp(path) ? EncodeBmpRgb(width, height, rgba.data(), bytes)
                                        : EncodePngRgb(width, height, rgba.data(), bytes);
    if (!encoded) {
        LogFileFailure(command, path, "was not saved: the picture could not be encoded");
        return 0;
    }
    if (!SaveWholeFile(target, bytes)) {
        LogFileFailure(command, path, "could not be saved (is its folder there?)");
        return 0;
    }
    return 1;
}

}  // namespace

double SaveSprite(double slot, const RtString& path) {
    if (!RequireEngine(g_engine != nullptr, "SaveSprite")) return 0;
    SpriteSlot* sprite = SlotFor(*g_engine, slot);
    if (sprite == nullptr || sprite->SpriteTexture == 0 || sprite->imageWidth <= 0 || sprite->imageHeight <= 0 ||
        sprite->imageWidth > sprite->textureWidth || sprite->imageHeight > sprite->textureHeight) {
        LogFileFailure("SaveSprite", path.Text(), "was not saved: the sprite slot is empty");
        return 0;
    }
    const int tw = sprite->textureWidth, th = sprite->textureHeight;
    std::vector<uint8_t> texels(static_cast<size_t>(tw) * th * 4);
    const bool read = ReadTextureRgba(sprite->SpriteTexture, tw, th, texels.data());
    ForgetTextureSelection(*g_engine);
    if (!read) {
        LogFileFailure("SaveSprite", path.Text(), "was not saved: the sprite could not be read back");
        return 0;
    }
    // The texture holds the picture upside down in its first rows; the
    // transparent pixels get the key colour LoadSprite takes out again.
    const int w = sprite->imageWidth, h = sprite->imageHeight;
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* texel = texels.data() + (static_cast<size_t>(h - 1 - y) * tw + x) * 4;
            uint8_t* pixel = rgba.data() + (static_cast<size_t>(y) * w + x) * 4;
            if (texel[3] == 0) {
                pixel[0] = kSpriteColourKey & 0xff;
                pixel[1] = (kSpriteColourKey >> 8) & 0xff;
                pixel[2] = (kSpriteColourKey >> 16) & 0xff;
            } else {
                pixel[0] = texel[0];
                pixel[1] = texel[1];
                pixel[2] = texel[2];
            }
            pixel[3] = 255;
        }
    }
    return SavePicture("SaveSprite", path.Text(), w, h, rgba);
}

double SaveScreen(const RtString& path) {
    if (!RequireEngine(g_engine != nullptr, "SaveScreen")) return 0;
    const std::vector<uint8_t> frame = ReadBackBuffer(*g_engine);
    const int w = g_engine->screenWidth, h = g_engine->screenHeight;
    if (frame.empty() || frame.size() != static_cast<size_t>(w) * h * 4) {
        LogFileFailure("SaveScreen", path.Text(), "was not saved: there is no frame to read");
        return 0;
    }
    return SavePicture("SaveScreen", path.Text(), w, h, frame);
}
