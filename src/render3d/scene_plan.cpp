#include "render3d/scene_plan.h"

#include <cmath>
#include <string>

#include "aerox/program.h"
#include "render3d/silhouette.h"

namespace {

void Put(std::vector<float>& out, const float* p, float w, const float light[4]) {
    if (w != 0) {
        out.insert(out.end(), {p[0], p[1], p[2], 1.0f});
    } else {
        // Away from the light, at infinity.
        out.insert(out.end(), {p[0] * light[3] - light[0], p[1] * light[3] - light[1], p[2] * light[3] - light[2], 0});
    }
}

// The light in a caster's own space.
bool LightInModelSpace(const LightState& light, const Mat4& model, float out[4]) {
    Mat4 inverse;
    if (!InvertModelMatrix(model, inverse)) return false;
    // A directional light is given by the way it travels; toward it is the other way.
    const float world[4] = {light.kind == 0 ? -light.vector[0] : light.vector[0],
                            light.kind == 0 ? -light.vector[1] : light.vector[1],
                            light.kind == 0 ? -light.vector[2] : light.vector[2], light.kind == 0 ? 0.0f : 1.0f};
    Transform(inverse, world, out);
    return true;
}

}  // namespace

uint32_t AppendShadowVolume(const Mesh& mesh, const float light[4], std::vector<uint8_t>& facing,
                            std::vector<uint32_t>& silhouette, std::vector<float>& out) {
    const size_t before = out.size();
    FindSilhouette(mesh, light, facing, silhouette);
    const float* p = mesh.positions.data();
    for (uint32_t s : silhouette) {
        const MeshEdge& e = mesh.edges[s & ~kSilhouetteFlipped];
        // Wound as the lit face winds the edge, so that the sides face out.
        const uint16_t a = (s & kSilhouetteFlipped) != 0 ? e.v1 : e.v0;
        const uint16_t b = (s & kSilhouetteFlipped) != 0 ? e.v0 : e.v1;
        Put(out, p + size_t{3} * b, 1, light);
        Put(out, p + size_t{3} * a, 1, light);
        Put(out, p + size_t{3} * a, 0, light);
        Put(out, p + size_t{3} * b, 1, light);
        Put(out, p + size_t{3} * a, 0, light);
        Put(out, p + size_t{3} * b, 0, light);
    }
    const uint32_t faces = mesh.TriangleCount();
    const uint16_t* index = mesh.indices.data();
    for (size_t f = 0; f < faces; ++f) {
        if (facing[f] != 0) continue;
        const float* v0 = p + size_t{3} * index[3 * f];
        const float* v1 = p + size_t{3} * index[3 * f + 1];
        const float* v2 = p + size_t{3} * index[3 * f + 2];
        // The near cap faces the light (turned round), the far cap away from it.
        Put(out, v0, 1, light);
        Put(out, v2, 1, light);
        Put(out, v1, 1, light);
        Put(out, v0, 0, light);
        Put(out, v1, 0, light);
        Put(out, v2, 0, light);
    }
    return static_cast<uint32_t>((out.size() - before) / 4);
}

void PlanScene(SceneState& scene, float aspect, ScenePlan& plan) {
    plan.draws.clear();
    plan.volumeVertices.clear();
    plan.shadows = false;
    plan.projection = InfinitePerspective(scene.camera.fieldOfView, aspect, scene.camera.nearPlane);
    plan.view = LookAt(scene.camera.eye, scene.camera.target);
    const Mat4 viewProjection = Multiply(plan.projection, plan.view);
    const bool shadowLight = scene.shadowLight >= 0 && scene.lights[scene.shadowLight].on;
    for (const DrawRecord& record : scene.draws) {
        MeshSlotState& slot = scene.meshes[record.slot];
        if (slot.mesh == nullptr) continue;  // freed since it was recorded
        PlannedDraw draw;
        draw.mesh = slot.mesh.get();
        draw.slot = &slot;
        draw.model = record.model;
        if (shadowLight) {
            float light[4];
            if (!slot.mesh->closed) {
                if (!slot.openCasterLogged)
                    AppendLogLine(
                        ("End3D: mesh slot " + std::to_string(record.slot) + " is not closed and casts no shadow")
                            .c_str());
                slot.openCasterLogged = true;
            } else if (LightInModelSpace(scene.lights[scene.shadowLight], record.model, light)) {
                draw.casts = true;
                draw.volumeFirst = static_cast<uint32_t>(plan.volumeVertices.size() / 4);
                draw.volumeCount =
                    AppendShadowVolume(*slot.mesh, light, plan.facing, plan.silhouette, plan.volumeVertices);
                plan.shadows = true;
            }
        }
        // A mesh wholly behind the camera is left out (its shadow is not).
        const Mesh& mesh = *slot.mesh;
        float centre[4] = {(mesh.boundsMin[0] + mesh.boundsMax[0]) / 2, (mesh.boundsMin[1] + mesh.boundsMax[1]) / 2,
                           (mesh.boundsMin[2] + mesh.boundsMax[2]) / 2, 1};
        float radius = 0;
        for (int a = 0; a < 3; ++a)
            radius += (mesh.boundsMax[a] - mesh.boundsMin[a]) * (mesh.boundsMax[a] - mesh.boundsMin[a]);
        const float scale =
            std::sqrt(record.model.at(0, 0) * record.model.at(0, 0) + record.model.at(1, 0) * record.model.at(1, 0) +
                      record.model.at(2, 0) * record.model.at(2, 0));
        radius = std::sqrt(radius) / 2 * scale;
        float world[4], clip[4];
        Transform(record.model, centre, world);
        Transform(viewProjection, world, clip);
        const bool behind = clip[3] < -radius;  // clip w is the distance in front
        if (behind && !draw.casts) continue;
        draw.visible = !behind;
        plan.draws.push_back(draw);
    }
}
