// The matrices of the 3D layer, column-major as GL loads them: the camera's
// view, a perspective with its far plane at infinity, and each draw's model
// matrix.
#pragma once

struct Mat4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float& at(int row, int column) { return m[column * 4 + row]; }
    float at(int row, int column) const { return m[column * 4 + row]; }
};

Mat4 Multiply(const Mat4& a, const Mat4& b);
// out = m * (x, y, z, w).
void Transform(const Mat4& m, const float in[4], float out[4]);

// fieldOfView: the vertical angle in degrees; near > 0. Depth reaches 1
// only at infinity: a point at w = 0 still lands a hair inside the far
// plane, so shadow volumes extruded to infinity are never clipped.
Mat4 InfinitePerspective(float fieldOfView, float aspect, float nearPlane);
// The view from eye toward target, y up (z up when looking straight along y).
Mat4 LookAt(const float eye[3], const float target[3]);
// Scale, then roll about z, pitch about x, yaw about y (degrees), then move.
Mat4 ModelMatrix(float x, float y, float z, float yaw, float pitch, float roll, float scale);
// The inverse of a model matrix made by ModelMatrix (rotation and uniform
// scale only); false for a scale of 0.
bool InvertModelMatrix(const Mat4& model, Mat4& inverse);
