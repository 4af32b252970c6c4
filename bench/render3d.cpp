// The 3D layer on Mesa's software renderer at 320x240, beside a bare GL
// loop of this program's own that draws the same vertex arrays with the
// same fixed-pipeline lighting (run under Xvfb when there is no display):
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_render3d
// Prints milliseconds per frame (or per call) and the heap allocations
// made in the steady frames.
#include <SDL_opengl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "engine/engine_globals.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "render3d/mesh_builders.h"
#include "render3d/mesh_edges.h"
#include "render3d/mesh_format.h"
#include "render3d/projection.h"
#include "render3d/scene_state.h"
#include "render3d/silhouette.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// The pair of the operator new above: GCC cannot see that they match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

constexpr int kSegments = 32;  // 960 triangles a sphere

struct Placement {
    float x, y, z;
};

std::vector<Placement> Grid(int count) {
    std::vector<Placement> out;
    for (int i = 0; i < count; ++i)
        out.push_back({static_cast<float>(i % 7 - 3) * 1.1f, 1.0f, static_cast<float>(i / 7) * -1.1f});
    return out;
}

void SceneSetup() {
    SetCamera(0, 4, 6, 0, 0, -1.5);
    SetCameraLens(60, 0.1);
    SetAmbient(0x303030);
    SetLight(0, 0, 0.3, -1, -0.4, 0xFFFFFF);
    MakeSphere(1, 0.5, kSegments);
    MakePlane(2, 20, 20);
}

double EngineFrame(const std::vector<Placement>& at, bool ground) {
    const auto start = Clock::now();
    Begin3D();
    if (ground) DrawMesh(2, 0, 0, 0, 0, 0, 0, 1);
    for (const Placement& p : at) DrawMesh(1, p.x, p.y, p.z, 0, 0, 0, 1);
    End3D();
    glFinish();
    return MsSince(start);
}

// The same arrays, matrices and light, straight through the GL.
double BareFrame(const Mesh& sphere, const std::vector<Placement>& at) {
    const auto start = Clock::now();
    const float eye[3] = {0, 4, 6}, target[3] = {0, 0, -1.5f};
    const Mat4 view = LookAt(eye, target);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(InfinitePerspective(60, 320.0f / 240, 0.1f).m);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.m);
    const float direction[4] = {-0.3f, 1, 0.4f, 0}, white[4] = {1, 1, 1, 1}, ambient[4] = {0.19f, 0.19f, 0.19f, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, sphere.positions.data());
    glNormalPointer(GL_FLOAT, 0, sphere.normals.data());
    for (const Placement& p : at) {
        glLoadMatrixf(Multiply(view, ModelMatrix(p.x, p.y, p.z, 0, 0, 0, 1)).m);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(sphere.indices.size()), GL_UNSIGNED_SHORT,
                       sphere.indices.data());
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_DEPTH_TEST);
    glFinish();
    return MsSince(start);
}

template <typename Fn>
double Average(int frames, Fn&& frame) {
    for (int i = 0; i < 5; ++i) frame();  // warm up
    double total = 0;
    for (int i = 0; i < frames; ++i) total += frame();
    return total / frames;
}

// A closed grid of quads folded into a box-like slab: 160 x 160 quads on
// top and bottom would pass 65,536 vertices, so a flat grid is used.
Mesh GridMesh(int side) {
    Mesh mesh;
    for (int z = 0; z <= side; ++z)
        for (int x = 0; x <= side; ++x) {
            mesh.positions.insert(mesh.positions.end(), {static_cast<float>(x), 0, static_cast<float>(z)});
            mesh.normals.insert(mesh.normals.end(), {0, 1, 0});
        }
    const int row = side + 1;
    for (int z = 0; z < side; ++z)
        for (int x = 0; x < side; ++x) {
            const int a = z * row + x;
            for (int i : {a, a + row, a + row + 1, a, a + row + 1, a + 1})
                mesh.indices.push_back(static_cast<uint16_t>(i));
        }
    mesh.materials.assign(1, MeshMaterial{});
    mesh.parts.assign(1, MeshPart{0, static_cast<uint32_t>(mesh.indices.size()), 0});
    ComputeMeshBounds(mesh);
    BuildMeshEdges(mesh);
    return mesh;
}

}  // namespace

int main() {
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    g_engine = new OpenGLZodadodu;
    if (!CreateGameWindow(*g_engine, 320, 240, 0, 60, 0)) {
        std::fprintf(stderr, "no window (run under xvfb-run)\n");
        return 1;
    }
    SetViewport(*g_engine, 0, 0, 0, 0);
    std::printf("GL: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    SceneSetup();
    const Mesh sphere = MakeSphereMesh(0.5f, kSegments);
    const std::vector<Placement> lit = Grid(21);      // 20,160 triangles
    const std::vector<Placement> casters = Grid(11);  // 10,560 triangles
    constexpr int kFrames = 60;

    const double bare = Average(kFrames, [&] { return BareFrame(sphere, lit); });
    const double engine = Average(kFrames, [&] { return EngineFrame(lit, false); });
    std::printf("lit %zu triangles: engine %.2f ms, bare GL %.2f ms, ratio %.2f (goal <= 1.25 and < 4 ms)\n",
                lit.size() * sphere.TriangleCount(), engine, bare, engine / bare);

    SetShadowLight(0);
    const double shadowed = Average(kFrames, [&] { return EngineFrame(casters, true); });
    std::printf("shadows from %zu caster triangles over a ground: %.2f ms a frame (goal < 8 ms)\n",
                casters.size() * sphere.TriangleCount(), shadowed);

    const long before = g_allocations.load();
    for (int i = 0; i < kFrames; ++i) EngineFrame(casters, true);
    std::printf("heap allocations in %d steady frames: %ld (goal 0)\n", kFrames, g_allocations.load() - before);

    const Mesh big = GridMesh(100);  // 20,000 triangles
    std::vector<uint8_t> facing;
    std::vector<uint32_t> silhouette;
    const float light[4] = {0.3f, 1, 0.2f, 1};
    FindSilhouette(big, light, facing, silhouette);
    auto start = Clock::now();
    constexpr int kCalls = 200;
    for (int i = 0; i < kCalls; ++i) FindSilhouette(big, light, facing, silhouette);
    std::printf("silhouette: %.3f ms per 10,000 triangles (goal < 0.5 ms)\n",
                MsSince(start) / kCalls * 10000.0 / big.TriangleCount());

    const Mesh load = GridMesh(160);  // 51,200 triangles
    const std::vector<uint8_t> bytes = WriteMeshBytes(load);
    const std::string path = "/tmp/aerox-bench-render3d.amsh";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    Mesh read;
    std::string error;
    start = Clock::now();
    constexpr int kLoads = 20;
    for (int i = 0; i < kLoads; ++i) ReadMeshFile(path, read, error);
    std::printf("loading a %u-triangle mesh (%zu bytes): %.2f ms (goal < 20 ms)\n", read.TriangleCount(), bytes.size(),
                MsSince(start) / kLoads);
    std::remove(path.c_str());
    delete g_engine;
    g_engine = nullptr;
    return 0;
}
