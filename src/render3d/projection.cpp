#include "render3d/projection.h"

#include <cmath>

namespace {
constexpr float kPi = 3.14159265358979f;
// How far inside the far plane infinity lands: 2^-20 keeps a w = 0 point
// below depth 1 in float arithmetic and in a 24-bit depth buffer.
constexpr float kInfinityEpsilon = 1.0f / (1 << 20);

void Normalise(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0)
        for (int a = 0; a < 3; ++a) v[a] /= length;
}
void Cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}
}  // namespace

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.at(row, k) * b.at(k, column);
            r.at(row, column) = sum;
        }
    return r;
}

void Transform(const Mat4& m, const float in[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m.at(row, 0) * in[0] + m.at(row, 1) * in[1] + m.at(row, 2) * in[2] + m.at(row, 3) * in[3];
}

Mat4 InfinitePerspective(float fieldOfView, float aspect, float nearPlane) {
    const float f = 1.0f / std::tan(fieldOfView * kPi / 360.0f);
    Mat4 p;
    p.at(0, 0) = f / aspect;
    p.at(1, 1) = f;
    p.at(2, 2) = kInfinityEpsilon - 1;
    p.at(2, 3) = (kInfinityEpsilon - 2) * nearPlane;
    p.at(3, 2) = -1;
    p.at(3, 3) = 0;
    return p;
}

Mat4 LookAt(const float eye[3], const float target[3]) {
    float forward[3] = {target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]};
    Normalise(forward);
    float up[3] = {0, 1, 0};
    if (std::fabs(forward[1]) > 0.999f) up[1] = 0, up[2] = forward[1] > 0 ? -1.0f : 1.0f;
    float side[3];
    Cross(forward, up, side);
    Normalise(side);
    float trueUp[3];
    Cross(side, forward, trueUp);
    Mat4 v;
    for (int c = 0; c < 3; ++c) {
        v.at(0, c) = side[c];
        v.at(1, c) = trueUp[c];
        v.at(2, c) = -forward[c];
    }
    for (int r = 0; r < 3; ++r) v.at(r, 3) = -(v.at(r, 0) * eye[0] + v.at(r, 1) * eye[1] + v.at(r, 2) * eye[2]);
    return v;
}

Mat4 ModelMatrix(float x, float y, float z, float yaw, float pitch, float roll, float scale) {
    const float cy = std::cos(yaw * kPi / 180), sy = std::sin(yaw * kPi / 180);
    const float cp = std::cos(pitch * kPi / 180), sp = std::sin(pitch * kPi / 180);
    const float cr = std::cos(roll * kPi / 180), sr = std::sin(roll * kPi / 180);
    Mat4 yawM, pitchM, rollM;
    yawM.at(0, 0) = cy, yawM.at(0, 2) = sy, yawM.at(2, 0) = -sy, yawM.at(2, 2) = cy;
    pitchM.at(1, 1) = cp, pitchM.at(1, 2) = -sp, pitchM.at(2, 1) = sp, pitchM.at(2, 2) = cp;
    rollM.at(0, 0) = cr, rollM.at(0, 1) = -sr, rollM.at(1, 0) = sr, rollM.at(1, 1) = cr;
    Mat4 m = Multiply(yawM, Multiply(pitchM, rollM));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) m.at(r, c) *= scale;
    m.at(0, 3) = x, m.at(1, 3) = y, m.at(2, 3) = z;
    return m;
}

bool InvertModelMatrix(const Mat4& model, Mat4& inverse) {
    // Rotation times uniform scale s: the inverse is the transpose over s squared.
    const float s2 =
        model.at(0, 0) * model.at(0, 0) + model.at(1, 0) * model.at(1, 0) + model.at(2, 0) * model.at(2, 0);
    if (!(s2 > 0) || !std::isfinite(s2)) return false;
    inverse = Mat4{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) inverse.at(r, c) = model.at(c, r) / s2;
    for (int r = 0; r < 3; ++r)
        inverse.at(r, 3) = -(inverse.at(r, 0) * model.at(0, 3) + inverse.at(r, 1) * model.at(1, 3) +
                             inverse.at(r, 2) * model.at(2, 3));
    return true;
}
