// The back end of the 3D layer: draws a plan with the GL's fixed pipeline
// in three passes (ambient and depth; the shadow volumes into the stencil
// buffer, depth-fail; the shadow light where the stencil is clear), then
// puts the 2D drawing state back.
#pragma once

class OpenGLZodadodu;
struct SceneState;
struct ScenePlan;

void DrawScenePlan(OpenGLZodadodu& context, const SceneState& scene, const ScenePlan& plan);
