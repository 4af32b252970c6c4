// The camera's matrices: the far plane at infinity, the look direction and
// the model matrix's inverse.
#include <gtest/gtest.h>

#include "render3d/projection.h"

TEST(Projection, InfinityLandsInsideTheFarPlane) {
    const Mat4 p = InfinitePerspective(60, 4.0f / 3, 0.1f);
    struct Case {
        float eye[4];
        float minDepth, maxDepth;
    };
    const Case cases[] = {
        {{0, 0, -0.1f, 1}, -1.0001f, -0.9999f},    // on the near plane
        {{0, 0, -1e6f, 1}, 0.9999f, 1.0f},         // far away
        {{0.3f, 2, -1, 0}, 0.99999f, 0.9999999f},  // at infinity: below 1 still
        {{5, -7, -1, 0}, 0.99999f, 0.9999999f},
    };
    for (const Case& c : cases) {
        float clip[4];
        Transform(p, c.eye, clip);
        ASSERT_GT(clip[3], 0);
        const float depth = clip[2] / clip[3];
        EXPECT_GE(depth, c.minDepth);
        EXPECT_LE(depth, c.maxDepth);
        EXPECT_LT(depth, 1.0f);
    }
}

TEST(Projection, LookAtPutsTheTargetStraightAhead) {
    const float eyes[][3] = {{0, 2, 5}, {-3, 1, -4}, {0, 10, 0}, {0, -10, 0}};
    const float target[3] = {0, 0, 0};
    for (const auto& eye : eyes) {
        const Mat4 v = LookAt(eye, target);
        const float t[4] = {0, 0, 0, 1};
        float out[4];
        Transform(v, t, out);
        EXPECT_NEAR(out[0], 0, 1e-5);
        EXPECT_NEAR(out[1], 0, 1e-5);
        EXPECT_LT(out[2], 0);  // in front: -z
    }
}

TEST(Projection, ModelMatrixInverts) {
    const Mat4 m = ModelMatrix(1, 2, 3, 30, -45, 10, 2.5f);
    Mat4 inverse;
    ASSERT_TRUE(InvertModelMatrix(m, inverse));
    const Mat4 identity = Multiply(inverse, m);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(identity.at(r, c), r == c ? 1 : 0, 1e-5) << r << c;
    EXPECT_FALSE(InvertModelMatrix(ModelMatrix(0, 0, 0, 0, 0, 0, 0), inverse));
}
