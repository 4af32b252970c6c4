#include "gfx/frame_through_surface.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/engine_context.h"

namespace {

// The GL read format whose bytes land as the surface's 32-bit pixels, or 0.
GLenum ReadFormatFor(Uint32 surfaceFormat) {
    switch (surfaceFormat) {
        case SDL_PIXELFORMAT_RGB888:
        case SDL_PIXELFORMAT_ARGB8888: return GL_BGRA;
        case SDL_PIXELFORMAT_BGR888:
        case SDL_PIXELFORMAT_ABGR8888: return GL_RGBA;
        default: return 0;
    }
}

// Which source index each of `to` destination pixels shows: the one under
// the destination pixel's centre, as a nearest-filtered blit picks.
void NearestIndices(int from, int to, std::vector<int>& indices) {
    indices.resize(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i)
        indices[static_cast<size_t>(i)] =
            static_cast<int>((2 * static_cast<int64_t>(i) + 1) * from / (2 * static_cast<int64_t>(to)));
}

void BlackRows(SDL_Surface& surface, int first, int end) {
    for (int y = first; y < end; ++y)
        std::memset(static_cast<uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch, 0,
                    static_cast<size_t>(surface.w) * 4);
}

}  // namespace

bool ShowFrameThroughSurface(OpenGLZodadodu& context) {
    OpenGLZodadodu::OffscreenFrame& frame = context.frame;
    SDL_Surface* surface = SDL_GetWindowSurface(context.window);
    if (surface == nullptr || surface->pixels == nullptr) return false;
    const GLenum readFormat = ReadFormatFor(surface->format->format);
    if (readFormat == 0 || surface->w <= 0 || surface->h <= 0) return false;

    const PixelRect to = FramePlacement(frame.width, frame.height, surface->w, surface->h);
    if (to.width <= 0 || to.height <= 0) return false;
    OpenGLZodadodu::OffscreenFrame::SurfaceCopy& copy = frame.surfaceCopy;
    copy.readBack.resize(static_cast<size_t>(frame.width) * frame.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, frame.width, frame.height, readFormat, GL_UNSIGNED_BYTE, copy.readBack.data());

    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    // The surface keeps what was last written into it, bars and all, until
    // SDL makes a new one (at any change of the window's size; a new one
    // comes without the mark). Only the frame's rows that changed since are
    // written again.
    const size_t rowBytes = static_cast<size_t>(frame.width) * 4;
    const bool kept = surface->userdata == &copy && copy.surfaceWidth == surface->w &&
                      copy.surfaceHeight == surface->h && copy.placement == to &&
                      copy.shown.size() == copy.readBack.size();
    const int top = surface->h - (to.y + to.height);
    if (!kept) {
        BlackRows(*surface, 0, top);
        BlackRows(*surface, top + to.height, surface->h);
        NearestIndices(frame.width, to.width, copy.columns);
        NearestIndices(frame.height, to.height, copy.rows);
    }
    uint8_t* const pixels = static_cast<uint8_t*>(surface->pixels);
    const int right = to.x + to.width;
    bool rowChanged = true;
    for (int row = 0; row < to.height; ++row) {
        uint32_t* line = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(top + row) * surface->pitch);
        const int sourceRow = copy.rows[static_cast<size_t>(row)];
        if (row > 0 && sourceRow == copy.rows[static_cast<size_t>(row) - 1]) {
            // A repeated row is the line above, whole.
            if (rowChanged)
                std::memcpy(line, reinterpret_cast<uint8_t*>(line) - surface->pitch,
                            static_cast<size_t>(surface->w) * 4);
            continue;
        }
        // The read-back's rows run from the bottom, the surface's from the top.
        const size_t offset = static_cast<size_t>(frame.height - 1 - sourceRow) * static_cast<size_t>(frame.width);
        const uint32_t* source = copy.readBack.data() + offset;
        rowChanged = !kept || std::memcmp(source, copy.shown.data() + offset, rowBytes) != 0;
        if (!rowChanged) continue;
        if (!kept) {
            std::fill(line, line + to.x, 0u);
            std::fill(line + right, line + surface->w, 0u);
        }
        uint32_t* out = line + to.x;
        if (to.width % frame.width == 0) {
            // A whole factor: each pixel repeated, no table to look up.
            const int factor = to.width / frame.width;
            for (int x = 0; x < frame.width; ++x, out += factor) std::fill(out, out + factor, source[x]);
        } else {
            for (int x = 0; x < to.width; ++x) out[x] = source[copy.columns[static_cast<size_t>(x)]];
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    surface->userdata = &copy;
    copy.surfaceWidth = surface->w;
    copy.surfaceHeight = surface->h;
    copy.placement = to;
    copy.shown.swap(copy.readBack);
    return SDL_UpdateWindowSurface(context.window) == 0;
}
