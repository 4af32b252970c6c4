// Collision tests, a line of text and loading the game's bitmaps, on a real
// window (run under Xvfb when there is no display):
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_gfx
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "gfx/window.h"
#include "gfx/engine_context.h"
#include "engine/engine_globals.h"

namespace {

// A 24-bit bitmap of the given size; columns below `opaqueFrom` or from
// `opaqueTo` on are the key colour.
std::string Bitmap(int width, int height, int opaqueFrom = 0, int opaqueTo = 1 << 30) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::string out(54 + stride * height, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 255);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = out.data() + 54 + y * stride + x * 3;
            const bool opaque = x >= opaqueFrom && x < opaqueTo;
            p[0] = static_cast<char>(opaque ? 40 + x : 128);
            p[1] = static_cast<char>(opaque ? 90 + y : 0);
            p[2] = static_cast<char>(opaque ? 200 : 255);
        }
    return out;
}

struct Setup {
    std::string folder;
    std::vector<std::string> gameFiles;
    Setup() {
        // No modal software-renderer warning: nobody would close it.
        setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
        g_engine = new OpenGLZodadodu;
        if (!CreateGameWindow(*g_engine, 320, 240, 0, 60, 0)) {
            std::fprintf(stderr, "no window (run under xvfb-run)\n");
            std::exit(1);
        }
        char pattern[] = "/tmp/aerox-bench-gfx-XXXXXX";
        folder = mkdtemp(pattern);
        auto write = [&](const std::string& name, const std::string& bytes) {
            const std::string path = folder + "/" + name;
            std::FILE* f = std::fopen(path.c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
            return path;
        };
        write("full.bmp", Bitmap(32, 32));
        write("left.bmp", Bitmap(32, 32, 0, 8));
        write("right.bmp", Bitmap(32, 32, 24));
        LoadSprite((folder + "/full.bmp").c_str(), 1);
        LoadSprite((folder + "/left.bmp").c_str(), 2);
        LoadSprite((folder + "/right.bmp").c_str(), 3);
        LoadFont("", 0);
        // The game's 33 bitmaps: two screens, tiles, aircraft, explosions, shot.
        const struct {
            int count, width, height;
        } sizes[] = {{2, 320, 240}, {1, 32, 32}, {1, 8, 8}, {2, 32, 32}, {3, 64, 64},
                     {3, 64, 64},   {7, 64, 64}, {8, 64, 64}, {6, 32, 32}};
        int n = 0;
        for (const auto& size : sizes)
            for (int i = 0; i < size.count; ++i)
                gameFiles.push_back(write("game" + std::to_string(n++) + ".bmp", Bitmap(size.width, size.height)));
    }
    ~Setup() {
        delete g_engine;
        g_engine = nullptr;
        for (const auto& f : gameFiles) std::remove(f.c_str());
        for (const char* f : {"/full.bmp", "/left.bmp", "/right.bmp"}) std::remove((folder + f).c_str());
        rmdir(folder.c_str());
    }
};

Setup& Engine() {
    static Setup setup;
    return setup;
}

void BM_CollisionRejected(benchmark::State& state) {
    Engine();
    for (auto _ : state) benchmark::DoNotOptimize(SpriteCollision(1, 0, 0, 1, 100, 40));
}
BENCHMARK(BM_CollisionRejected);

// Rectangles overlap completely, but the opaque columns never meet: every
// pixel of the overlap is looked at.
void BM_CollisionOverlapNoHit(benchmark::State& state) {
    Engine();
    if (SpriteCollision(2, 0, 0, 3, 0, 0) != 0) state.SkipWithError("unexpected hit");
    for (auto _ : state) benchmark::DoNotOptimize(SpriteCollision(2, 0, 0, 3, 0, 0));
}
BENCHMARK(BM_CollisionOverlapNoHit);

void BM_CollisionHit(benchmark::State& state) {
    Engine();
    for (auto _ : state) benchmark::DoNotOptimize(SpriteCollision(1, 0, 0, 1, 16, 16));
}
BENCHMARK(BM_CollisionHit);

const RtString kLine = "Score: 1234567890  Lives: 3  Level 1 ...";  // 40 characters

// Issuing the quads of one line.
void BM_PrintText40(benchmark::State& state) {
    Engine();
    for (auto _ : state) PrintText(kLine, 0, 100);
    glFinish();
}
BENCHMARK(BM_PrintText40);

// The same, waiting until the GL has drawn it.
void BM_PrintText40Drawn(benchmark::State& state) {
    Engine();
    for (auto _ : state) {
        PrintText(kLine, 0, 100);
        glFinish();
    }
}
BENCHMARK(BM_PrintText40Drawn);

void BM_Load33GameBitmaps(benchmark::State& state) {
    Setup& setup = Engine();
    for (auto _ : state) {
        int slot = 100;
        for (const std::string& file : setup.gameFiles) LoadSprite(file.c_str(), slot++);
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(setup.gameFiles.size()));
}
BENCHMARK(BM_Load33GameBitmaps)->Unit(benchmark::kMillisecond);

}  // namespace
