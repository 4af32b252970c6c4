/// @file
/// @brief The 3D layer: meshes in numbered slots, a camera, lights and
/// stencil shadows, drawn under the 2D picture of the same frame.
#pragma once
#include "aerox/text.h"

/// @defgroup scene3d 3D scenes
/// @brief Meshes in slots 0..4095, one camera, lights 0..7 and the shadows
/// of one of them, shader programs in slots 0..255, drawn between Begin3D
/// and End3D.
///
/// Space is right-handed with y up; lengths are whatever unit the game
/// chooses. A frame's 3D things are recorded with DrawMesh between
/// Begin3D() and End3D(); End3D draws them all into the current viewport
/// (ambient and depth, the shadow volumes into the stencil buffer, then the
/// shadow light where no shadow falls) and returns to the 2D state, so
/// that what is drawn after it lies on top. Colours are 0x00BBGGRR, angles
/// degrees. Meshes come from files of the engine's own format (.amsh, see
/// docs/mesh-format.md) or are made in code.
///
/// A mesh casts shadows only when it is closed (every edge has two faces);
/// an open one is still lit and shadowed by others. The mesh, camera and
/// light commands work at any time; Begin3D, DrawMesh, End3D and the
/// projections need the running engine. A slot or light number has its
/// fraction cut off. A bad slot, part, light or number, or an empty slot,
/// makes a command return its failure value and write one log line naming
/// the command.
/// @{

// --- meshes
/// Loads a mesh file of the engine's format into a slot; what the slot held
/// before is dropped.
/// @param slot the slot, 0..4095.
/// @param path the .amsh file, looked up as LoadSprite looks up its files.
/// @return 1, or 0 when the slot is bad or the file is missing or not a
///         valid mesh file (the slot is then left empty).
double LoadMesh(double slot, const RtString& path);
/// Empties a mesh slot.
/// @param slot the slot, 0..4095; an empty slot stays empty.
void FreeMesh(double slot);
/// Makes a closed cube centred on the origin in a slot, white.
/// @param slot the slot, 0..4095.
/// @param size the length of its sides, above 0.
/// @return 1, or 0 for a bad slot or size.
double MakeCube(double slot, double size);
/// Makes a closed sphere centred on the origin in a slot, white.
/// @param slot the slot, 0..4095.
/// @param radius its radius, above 0.
/// @param segments its slices around, 3..128 (half as many rings).
/// @return 1, or 0 for a bad slot, radius or count.
double MakeSphere(double slot, double radius, double segments);
/// Makes a flat rectangle in the x-z plane facing up, centred on the
/// origin, white; it is open, so it casts no shadow.
/// @param slot the slot, 0..4095.
/// @param width its extent along x, above 0.
/// @param depth its extent along z, above 0.
/// @return 1, or 0 for a bad slot or size.
double MakePlane(double slot, double width, double depth);
/// Counts a mesh's triangles.
/// @param slot the slot, 0..4095.
/// @return the number of triangles, or 0 for a bad or empty slot.
double MeshTriangles(double slot);
/// Measures a mesh's bounding box.
/// @param slot the slot, 0..4095.
/// @param axis 0 for x, 1 for y, 2 for z.
/// @return the box's extent on that axis, or 0 for a bad slot or axis.
double MeshSize(double slot, double axis);
/// Tells whether a mesh may cast shadows.
/// @param slot the slot, 0..4095.
/// @return 1 when every edge of the mesh has two faces, else 0.
double MeshClosed(double slot);
/// Sets the colour of one part of a mesh (a part is a run of triangles with
/// one material; made meshes have one part, 0).
/// @param slot the slot, 0..4095.
/// @param part the part, from 0.
/// @param colour 0x00BBGGRR.
/// @return 1, or 0 for a bad slot or part.
double SetMeshColour(double slot, double part, double colour);
/// Gives one part of a mesh a loaded sprite as its texture, multiplied
/// with its colour and light.
/// @param slot the slot, 0..4095.
/// @param part the part, from 0.
/// @param spriteSlot a loaded sprite, or -1 for no texture.
/// @return 1, or 0 for a bad slot or part or an empty sprite slot.
double SetMeshTexture(double slot, double part, double spriteSlot);

// --- camera and lights
/// Places the camera (y is up). At the start it stands at (0, 0, 5)
/// looking at the origin.
/// @param x the camera's x.
/// @param y the camera's y.
/// @param z the camera's z.
/// @param lookX the x of the point it looks at.
/// @param lookY the y of the point it looks at.
/// @param lookZ the z of the point it looks at.
void SetCamera(double x, double y, double z, double lookX, double lookY, double lookZ);
/// Sets the camera's lens; the far plane is always at infinity.
/// @param fieldOfView the vertical angle seen, 1..179 degrees (60 at the start).
/// @param nearPlane the distance of the near plane, above 0 (0.1 at the start).
/// @return 1, or 0 (nothing changed) for a bad angle or distance.
double SetCameraLens(double fieldOfView, double nearPlane);
/// Finds where a point lands on the screen, for labels over 3D things.
/// @param x the point's x.
/// @param y the point's y.
/// @param z the point's z.
/// @return the screen x in pixels, or -1 when the point is behind the camera.
double ProjectX(double x, double y, double z);
/// Finds where a point lands on the screen, for labels over 3D things.
/// @param x the point's x.
/// @param y the point's y.
/// @param z the point's z.
/// @return the screen y in pixels, or -1 when the point is behind the camera.
double ProjectY(double x, double y, double z);
/// Sets the light that reaches everything, shadows included.
/// @param colour 0x00BBGGRR (0x303030 at the start).
void SetAmbient(double colour);
/// Switches a light on, or changes it.
/// @param light the light, 0..7.
/// @param kind 0: directional, the light travels along (x, y, z);
///        1: a point light at (x, y, z).
/// @param x the direction's or position's x.
/// @param y the direction's or position's y.
/// @param z the direction's or position's z.
/// @param colour 0x00BBGGRR.
/// @return 1, or 0 for a bad light or kind, or a direction of length 0.
double SetLight(double light, double kind, double x, double y, double z, double colour);
/// Makes a point light fade with distance, to a 26th of its strength at the
/// range.
/// @param light the light, 0..7.
/// @param range the distance, above 0; 0 for no fading.
/// @return 1, or 0 for a bad light or range.
double SetLightRange(double light, double range);
/// Switches a light off.
/// @param light the light, 0..7.
void LightOff(double light);
/// Chooses the one light whose shadows are drawn.
/// @param light the light, 0..7, or -1 for no shadows.
/// @return 1, or 0 for a bad number.
double SetShadowLight(double light);

// --- shaders
/// Makes a shader program in a slot from a vertex and a fragment shader in
/// GLSL ES 1.00, without a version or precision line (the engine adds what
/// the platform needs). The program gets the attributes a_position (vec3),
/// a_normal (vec3) and a_texcoord (vec2), and at each draw those of these
/// uniforms it declares: u_modelViewProjection and u_modelView (mat4),
/// u_colour (vec4, the part's colour), u_ambient and u_lightColour (vec3,
/// what this pass adds: with shadows on, the light comes in a second pass
/// where no shadow falls, and the ambient in the first), u_light (vec4: in
/// the camera's space, toward a directional light with w = 0, or a point
/// light's position with w = 1; the shadow light, else the first light on),
/// u_texture (sampler2D) and u_textured (float, 1 with a texture).
/// @param slot the shader slot, 0..255; what it held before is dropped.
/// @param vertexPath the vertex shader's file, looked up as LoadSprite looks up its files.
/// @param fragmentPath the fragment shader's file.
/// @return 1, or 0 for a bad slot, a missing file, a GL without shaders, or
///         a shader that does not compile or link (the compiler's message
///         is in the log line).
double LoadShader(double slot, const RtString& vertexPath, const RtString& fragmentPath);
/// Sets a float, vec2, vec3 or vec4 uniform of a shader program; it keeps
/// the value until set again.
/// @param slot the shader slot, 0..255.
/// @param name the uniform's name in the shaders.
/// @param a the first number.
/// @param b the second number (unused for a float).
/// @param c the third number (used by vec3 and vec4).
/// @param d the fourth number (used by vec4).
/// @return 1, or 0 for an empty slot or a name the program has not as
///         such a uniform.
double SetShaderNumber(double slot, const RtString& name, double a, double b, double c, double d);
/// Draws one part of a mesh with a shader program instead of the engine's
/// lighting.
/// @param slot the mesh slot, 0..4095.
/// @param part the part, from 0.
/// @param shaderSlot a loaded shader slot, or -1 for the engine's lighting.
/// @return 1, or 0 for a bad slot or part or an empty shader slot.
double SetMeshShader(double slot, double part, double shaderSlot);

// --- drawing
/// Starts recording a frame's 3D draws; what was recorded and not drawn is
/// dropped.
void Begin3D();
/// Records one mesh to be drawn at End3D. Outside Begin3D and End3D it does
/// nothing (said once in the log).
/// @param slot the mesh slot, 0..4095.
/// @param x where its origin goes, x.
/// @param y where its origin goes, y.
/// @param z where its origin goes, z.
/// @param yaw the turn about the y axis, degrees.
/// @param pitch the turn about the x axis, degrees.
/// @param roll the turn about the z axis, degrees (applied first).
/// @param scale the size factor, above 0.
/// @return 1, or 0 for a bad or empty slot, a bad number or no Begin3D.
double DrawMesh(double slot, double x, double y, double z, double yaw, double pitch, double roll, double scale);
/// Draws everything recorded since Begin3D with its lights and shadows
/// into the current viewport, over what is drawn already, then returns to
/// the 2D state. Without Begin3D it does nothing (said once in the log).
void End3D();
/// @}
