#include "render3d/scene_gl_passes.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

#include "gfx/draw.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "render3d/fixed_lighting.h"
#include "render3d/scene_plan.h"
#include "render3d/shader_entry_points.h"
#include "render3d/shader_store.h"
#include "render3d/smooth_shading.h"
#include "render3d/stencil_entry_points.h"

namespace {

constexpr GLenum kIncrWrap = 0x8507;
constexpr GLenum kDecrWrap = 0x8508;
// GL 1.4's names, which WebGL has too (it lacks GL_BLEND_SRC and GL_BLEND_DST).
constexpr GLenum kBlendSourceRgb = 0x80C9;
constexpr GLenum kBlendDestinationRgb = 0x80C8;

void Colour(uint32_t colour, float out[4]) {
    out[0] = static_cast<float>(colour & 0xFF) / 255;
    out[1] = static_cast<float>((colour >> 8) & 0xFF) / 255;
    out[2] = static_cast<float>((colour >> 16) & 0xFF) / 255;
    out[3] = 1;
}

// Lights are placed with the view matrix loaded, so that they stay put in the world.
void PlaceLights(const SceneState& scene, const ScenePlan& plan) {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(plan.view.m);
    const float black[4] = {0, 0, 0, 1};
    for (int i = 0; i < kLights; ++i) {
        const LightState& light = scene.lights[i];
        const GLenum id = GL_LIGHT0 + i;
        if (!light.on) continue;
        float colour[4];
        Colour(light.colour, colour);
        const float position[4] = {light.kind == 0 ? -light.vector[0] : light.vector[0],
                                   light.kind == 0 ? -light.vector[1] : light.vector[1],
                                   light.kind == 0 ? -light.vector[2] : light.vector[2], light.kind == 0 ? 0.0f : 1.0f};
        glLightfv(id, GL_POSITION, position);
        glLightfv(id, GL_AMBIENT, black);
        glLightfv(id, GL_DIFFUSE, colour);
        glLightfv(id, GL_SPECULAR, colour);
        const bool fades = light.kind == 1 && light.range > 0;
        SetLightFading(id, fades ? 25 / (light.range * light.range) : 0);
    }
}

// Switches on the lights of a pass: all lights on, less one, or just one.
void EnableLights(const SceneState& scene, int except, int only) {
    for (int i = 0; i < kLights; ++i) {
        const bool on = scene.lights[i].on && i != except && (only < 0 || i == only);
        if (on)
            glEnable(GL_LIGHT0 + i);
        else
            glDisable(GL_LIGHT0 + i);
    }
}

// What a pass gives the shader programs: the light it adds and where that
// light is, in the camera's space.
struct ShaderLighting {
    float ambient[3] = {0, 0, 0};
    float lightColour[3] = {0, 0, 0};
    float light[4] = {0, 0, 1, 0};
};

// The part's program when it has one of this GL context, else null.
const ShaderSlot* PartProgram(const OpenGLZodadodu& context, const PlannedDraw& draw, size_t part) {
    const int n = draw.slot->partShader[part];
    if (n < 0 || !ShaderCalls().available()) return nullptr;
    const ShaderSlot& slot = ShaderSlots()[n];
    return slot.program != 0 && slot.owner == context.glContext ? &slot : nullptr;
}

void DrawPartWithProgram(const ShaderSlot& program, const ScenePlan& plan, const PlannedDraw& draw,
                         const MeshPart& part, const float colour[4], const SpriteSlot* texture,
                         const ShaderLighting& lighting) {
    const ShaderEntryPoints& gl = ShaderCalls();
    const Mesh& mesh = *draw.mesh;
    const Mat4 modelView = Multiply(plan.view, draw.model);
    gl.glUseProgram(program.program);
    if (program.modelViewProjection >= 0)
        gl.glUniformMatrix4fv(program.modelViewProjection, 1, GL_FALSE, Multiply(plan.projection, modelView).m);
    if (program.modelView >= 0) gl.glUniformMatrix4fv(program.modelView, 1, GL_FALSE, modelView.m);
    if (program.colour >= 0) gl.glUniform4f(program.colour, colour[0], colour[1], colour[2], colour[3]);
    if (program.ambient >= 0)
        gl.glUniform3f(program.ambient, lighting.ambient[0], lighting.ambient[1], lighting.ambient[2]);
    if (program.lightColour >= 0)
        gl.glUniform3f(program.lightColour, lighting.lightColour[0], lighting.lightColour[1], lighting.lightColour[2]);
    if (program.light >= 0)
        gl.glUniform4f(program.light, lighting.light[0], lighting.light[1], lighting.light[2], lighting.light[3]);
    if (program.texture >= 0) gl.glUniform1i(program.texture, 0);
    if (program.textured >= 0) gl.glUniform1f(program.textured, texture != nullptr ? 1.0f : 0.0f);
    gl.glVertexAttribPointer(kAttributePosition, 3, GL_FLOAT, GL_FALSE, 0, mesh.positions.data());
    gl.glEnableVertexAttribArray(kAttributePosition);
    if (!mesh.normals.empty()) {
        gl.glVertexAttribPointer(kAttributeNormal, 3, GL_FLOAT, GL_FALSE, 0, mesh.normals.data());
        gl.glEnableVertexAttribArray(kAttributeNormal);
    }
    if (!mesh.texcoords.empty()) {
        gl.glVertexAttribPointer(kAttributeTexcoord, 2, GL_FLOAT, GL_FALSE, 0, mesh.texcoords.data());
        gl.glEnableVertexAttribArray(kAttributeTexcoord);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(part.indexCount), GL_UNSIGNED_SHORT,
                   mesh.indices.data() + part.firstIndex);
    gl.glDisableVertexAttribArray(kAttributeNormal);
    gl.glDisableVertexAttribArray(kAttributeTexcoord);
    gl.glDisableVertexAttribArray(kAttributePosition);
    gl.glUseProgram(0);
}

void DrawMeshes(OpenGLZodadodu& context, const ScenePlan& plan, const ShaderLighting& lighting) {
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const PlannedDraw& draw : plan.draws) {
        if (!draw.visible) continue;
        const Mesh& mesh = *draw.mesh;
        glLoadMatrixf(Multiply(plan.view, draw.model).m);
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
        const bool normals = !mesh.normals.empty();
        if (normals) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
        } else {
            glDisableClientState(GL_NORMAL_ARRAY);
            glNormal3f(0, 1, 0);
        }
        const bool colours = !mesh.colours.empty();
        if (colours) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(4, GL_UNSIGNED_BYTE, 0, mesh.colours.data());
        }
        for (size_t p = 0; p < mesh.parts.size(); ++p) {
            const MeshPart& part = mesh.parts[p];
            const MeshMaterial& material = mesh.materials[part.material];
            float colour[4], specular[4];
            Colour(draw.slot->partColour[p], colour);
            Colour(material.specular, specular);
            SetSurfaceColour(colour, specular, material.shininess);
            const int sprite = draw.slot->partTexture[p];
            const SpriteSlot* texture = sprite >= 0 && sprite < kSpriteSlotCount &&
                                                context.sprites[sprite].imageWidth > 0 &&
                                                context.sprites[sprite].SpriteTexture != 0 && !mesh.texcoords.empty()
                                            ? &context.sprites[sprite]
                                            : nullptr;
            if (texture != nullptr) {
                glBindTexture(GL_TEXTURE_2D, texture->SpriteTexture);
                glEnable(GL_TEXTURE_2D);
                glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                glTexCoordPointer(2, GL_FLOAT, 0, mesh.texcoords.data());
                // The picture fills only part of its power-of-two texture.
                glMatrixMode(GL_TEXTURE);
                glLoadIdentity();
                glScalef(static_cast<float>(texture->imageWidth) / static_cast<float>(texture->textureWidth),
                         static_cast<float>(texture->imageHeight) / static_cast<float>(texture->textureHeight), 1);
                glMatrixMode(GL_MODELVIEW);
            }
            if (const ShaderSlot* program = PartProgram(context, draw, p))
                DrawPartWithProgram(*program, plan, draw, part, colour, texture, lighting);
            else
                glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(part.indexCount), GL_UNSIGNED_SHORT,
                               mesh.indices.data() + part.firstIndex);
            if (texture != nullptr) {
                glDisable(GL_TEXTURE_2D);
                glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
        }
        if (colours) glDisableClientState(GL_COLOR_ARRAY);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
}

void DrawVolumes(const ScenePlan& plan) {
    for (const PlannedDraw& draw : plan.draws) {
        if (!draw.casts || draw.volumeCount == 0) continue;
        glLoadMatrixf(Multiply(plan.view, draw.model).m);
        glVertexPointer(4, GL_FLOAT, 0, plan.volumeVertices.data() + 4 * static_cast<size_t>(draw.volumeFirst));
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(draw.volumeCount));
    }
}

// Counts, per pixel, the volumes' faces behind what is drawn there: back
// faces up, front faces down. Non-zero means inside a shadow.
void CountShadowVolumes(const ScenePlan& plan) {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glEnableClientState(GL_VERTEX_ARRAY);
    const StencilEntryPoints& stencil = StencilOps();
    if (stencil.glStencilOpSeparate != nullptr) {
        glDisable(GL_CULL_FACE);
        stencil.glStencilOpSeparate(GL_BACK, GL_KEEP, kIncrWrap, GL_KEEP);
        stencil.glStencilOpSeparate(GL_FRONT, GL_KEEP, kDecrWrap, GL_KEEP);
        DrawVolumes(plan);
        glEnable(GL_CULL_FACE);
    } else {
        glCullFace(GL_FRONT);
        glStencilOp(GL_KEEP, kIncrWrap, GL_KEEP);
        DrawVolumes(plan);
        glCullFace(GL_BACK);
        glStencilOp(GL_KEEP, kDecrWrap, GL_KEEP);
        DrawVolumes(plan);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_LIGHTING);
}

// The 2D drawing state as the sprites expect it, with the blending the
// game chose before Begin3D.
void RestoreTwoD(OpenGLZodadodu& context, GLboolean blend, GLint blendSource, GLint blendDestination) {
    for (int i = 0; i < kLights; ++i) glDisable(GL_LIGHT0 + i);
    EndSurfaceColours();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glCullFace(GL_BACK);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    if (blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFunc(static_cast<GLenum>(blendSource), static_cast<GLenum>(blendDestination));
    SetViewport(context, context.viewportX, context.viewportY, context.viewportWidth, context.viewportHeight);
    const float a = context.currentAlpha;
    glColor4f(a, a, a, a);
}

}  // namespace

void DrawScenePlan(OpenGLZodadodu& context, const SceneState& scene, const ScenePlan& plan) {
    GLboolean blend = glIsEnabled(GL_BLEND);
    GLint blendSource = GL_ONE, blendDestination = GL_ZERO;
    glGetIntegerv(kBlendSourceRgb, &blendSource);
    glGetIntegerv(kBlendDestinationRgb, &blendDestination);
    BindSpriteTexture(context, -1, -1, 0);  // both texture units off
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glStencilMask(0xFF);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    UseSmoothShading();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(plan.projection.m);
    PlaceLights(scene, plan);
    glEnable(GL_LIGHTING);
    BeginSurfaceColours();
    float ambient[4];
    Colour(scene.ambient, ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

    // The shader programs' light: the shadow light, else the first one on.
    ShaderLighting first, second;
    Colour(scene.ambient, first.ambient);
    int shaderLight = scene.shadowLight >= 0 && scene.lights[scene.shadowLight].on ? scene.shadowLight : -1;
    for (int i = 0; i < kLights && shaderLight < 0; ++i)
        if (scene.lights[i].on) shaderLight = i;
    if (shaderLight >= 0) {
        const LightState& light = scene.lights[shaderLight];
        const float world[4] = {light.kind == 0 ? -light.vector[0] : light.vector[0],
                                light.kind == 0 ? -light.vector[1] : light.vector[1],
                                light.kind == 0 ? -light.vector[2] : light.vector[2], light.kind == 0 ? 0.0f : 1.0f};
        float colour[4];
        Colour(light.colour, colour);
        Transform(plan.view, world, first.light);
        std::copy(first.light, first.light + 4, second.light);
        std::copy(colour, colour + 3, plan.shadows ? second.lightColour : first.lightColour);
    }

    // Ambient and every light that casts no shadow, filling the depth buffer.
    EnableLights(scene, plan.shadows ? scene.shadowLight : -1, -1);
    DrawMeshes(context, plan, first);
    if (plan.shadows) {
        CountShadowVolumes(plan);
        // The shadow light added where no volume covers the pixel.
        const float none[4] = {0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        EnableLights(scene, -1, scene.shadowLight);
        glStencilFunc(GL_EQUAL, 0, 0xFF);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        DrawMeshes(context, plan, second);
    }
    RestoreTwoD(context, blend, blendSource, blendDestination);
}
