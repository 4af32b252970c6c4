#include <SDL_opengl.h>

#include <algorithm>

#include "gfx/draw.h"
#include "gfx/gl_profile.h"
#include "gfx/texture.h"
#include "gfx/engine_context.h"

int TextureSideFor(int size) {
    int side = 2;
    while (side < size && side < (1 << 30)) side <<= 1;
    return side;
}

int MaxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size > 0 ? size : 1024;
}

void BleedEdges(std::vector<uint8_t>& texels, int width, int height) {
    const auto at = [&](int x, int y) { return texels.data() + (static_cast<size_t>(y) * width + x) * 4; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* texel = at(x, y);
            if (texel[3] != 0) continue;
            int sum[3] = {0, 0, 0};
            int count = 0;
            for (int ny = std::max(y - 1, 1); ny <= std::min(y + 1, height - 2); ++ny) {
                for (int nx = std::max(x - 1, 1); nx <= std::min(x + 1, width - 2); ++nx) {
                    if (nx == x && ny == y) continue;
                    const uint8_t* n = at(nx, ny);
                    if (n[3] == 0) continue;
                    sum[0] += n[0];
                    sum[1] += n[1];
                    sum[2] += n[2];
                    ++count;
                }
            }
            for (int c = 0; c < 3; ++c) texel[c] = static_cast<uint8_t>(count > 0 ? sum[c] / count : 0);
        }
    }
}

std::vector<uint8_t> NextMipLevel(const std::vector<uint8_t>& level, int width, int height) {
    const int w = std::max(width / 2, 1), h = std::max(height / 2, 1);
    std::vector<uint8_t> next(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int x0 = std::min(2 * x, width - 1), x1 = std::min(2 * x + 1, width - 1);
            const int y0 = std::min(2 * y, height - 1), y1 = std::min(2 * y + 1, height - 1);
            for (int c = 0; c < 4; ++c) {
                const auto texel = [&](int tx, int ty) {
                    return level[(static_cast<size_t>(ty) * width + tx) * 4 + c];
                };
                const int sum = texel(x0, y0) + texel(x1, y0) + texel(x0, y1) + texel(x1, y1);
                next[(static_cast<size_t>(y) * w + x) * 4 + c] = static_cast<uint8_t>(sum / 4);
            }
        }
    }
    return next;
}

std::vector<uint8_t> LayOutTexture(const RgbaImage& image, int x, int y, int width, int height, int textureWidth,
                                   int textureHeight) {
    std::vector<uint8_t> texels(static_cast<size_t>(textureWidth) * textureHeight * 4, 0);
    for (int r = 0; r < height && r < textureHeight; ++r) {
        const int sy = y + r;
        if (sy < 0 || sy >= image.height) continue;
        const size_t row = static_cast<size_t>(height - 1 - r);
        for (int c = 0; c < width && c < textureWidth; ++c) {
            const int sx = x + c;
            if (sx < 0 || sx >= image.width) continue;
            const uint8_t* src = image.pixels.data() + (static_cast<size_t>(sy) * image.width + sx) * 4;
            std::copy_n(src, 4, texels.data() + (row * textureWidth + c) * 4);
        }
    }
    return texels;
}

namespace {

void CreateTexture(unsigned int& name, GLint minFilter, GLint magFilter) {
    if (g_engine != nullptr) ForgetTextureSelection(*g_engine);
    if (name != 0) glDeleteTextures(1, &name);
    name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
}

}  // namespace

bool UploadTexture(const RgbaImage& image, int x, int y, int width, int height, UploadedTexture& result, bool withMip,
                   bool font) {
    const int maxSize = MaxTextureSize();
    if (width == 0) width = image.width - x;
    if (height == 0) height = image.height - y;
    if (width <= 0 || height <= 0) return false;
    width = std::min(width, maxSize);
    height = std::min(height, maxSize);
    const int textureWidth = std::min(TextureSideFor(width), maxSize);
    const int textureHeight = std::min(TextureSideFor(height), maxSize);

    std::vector<uint8_t> texels = LayOutTexture(image, x, y, width, height, textureWidth, textureHeight);
    if (!font) BleedEdges(texels, textureWidth, textureHeight);

    SetTightUnpacking();
    const GLint filter = font ? GL_NEAREST : GL_LINEAR;
    CreateTexture(result.spriteTexture, filter, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, RgbaTextureFormat(), textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());

    if (withMip) {
        CreateTexture(result.mipTexture, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
        int w = textureWidth, h = textureHeight;
        glTexImage2D(GL_TEXTURE_2D, 0, RgbaTextureFormat(), w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        for (int level = 1; w > 1 || h > 1; ++level) {
            texels = NextMipLevel(texels, w, h);
            w = std::max(w / 2, 1);
            h = std::max(h / 2, 1);
            glTexImage2D(GL_TEXTURE_2D, level, RgbaTextureFormat(), w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        }
    }
    result.textureWidth = textureWidth;
    result.textureHeight = textureHeight;
    result.regionWidth = width;
    result.regionHeight = height;
    return true;
}
