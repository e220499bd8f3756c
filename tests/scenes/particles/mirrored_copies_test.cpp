#include "scenes/particles/mirrored_copies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

float flatGround(float, float) { return 1.5f; }

CopyScatter ring() {
    CopyScatter s;
    s.centre = TVector(-30.0f, 0.0f, 5.0f);
    s.radiusMin = 1.0f;
    s.radiusMax = 4.0f;
    s.yawMin = 1.0f;
    s.yawMax = 2.0f;
    s.scaleMin = 1.2f;
    s.scaleMax = 1.8f;
    s.sink = 0.25f;
    s.groundAt = flatGround;
    return s;
}

void expectSame(const CopyPlacement* a, const CopyPlacement* b, int n) {
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(a[i].position.x, b[i].position.x) << i;
        EXPECT_EQ(a[i].position.y, b[i].position.y) << i;
        EXPECT_EQ(a[i].position.z, b[i].position.z) << i;
        EXPECT_EQ(a[i].yaw, b[i].yaw) << i;
        EXPECT_EQ(a[i].scale, b[i].scale) << i;
    }
}

}  // namespace

TEST(MirroredCopies, PlacementsStandStillFromFrameToFrame) {
    CopyPlacement first[6], second[6];
    scatterCopies(4711, ring(), first, 6);
    for (int i = 0; i < 1000; ++i) (void)std::rand();   // whatever else drew in between
    scatterCopies(4711, ring(), second, 6);
    expectSame(first, second, 6);

    // The same as a fresh run: srand(4711) and four draws per copy, nothing else.
    std::srand(4711);
    const float angle = static_cast<float>(std::rand()) / RAND_MAX * 6.2831853f;
    const float r = std::sqrt(1.0f + static_cast<float>(std::rand()) / RAND_MAX * 15.0f);
    EXPECT_FLOAT_EQ(first[0].position.x, -30.0f + r * std::cos(angle));
    EXPECT_FLOAT_EQ(first[0].position.z, 5.0f + r * std::sin(angle));

    // Another seed, other places.
    CopyPlacement other[6];
    scatterCopies(815, ring(), other, 6);
    EXPECT_NE(other[0].position.x, first[0].position.x);
}

// The placements are bit for bit those of the C library's rand() after srand(seed), as the
// scenes first placed them, and placing them leaves the process-wide generator alone.
TEST(MirroredCopies, PlacementsAreTheCLibrarySequenceAndLeaveRandAlone) {
    for (unsigned seed : {1u, 99u, 4711u, 525252u}) {
        const CopyScatter s = ring();
        CopyPlacement expected[20];
        std::srand(seed);
        auto draw = [] { return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX); };
        for (CopyPlacement& e : expected) {
            const float angle = draw() * 6.2831853f;
            const float r2min = s.radiusMin * s.radiusMin;
            const float r2max = s.radiusMax * s.radiusMax;
            const float radius = std::sqrt(r2min + draw() * (r2max - r2min));
            e.yaw = s.yawMin + draw() * (s.yawMax - s.yawMin);
            e.scale = s.scaleMin + draw() * (s.scaleMax - s.scaleMin);
            const float x = s.centre.x + radius * std::cos(angle);
            const float z = s.centre.z + radius * std::sin(angle);
            e.position = TVector(x, flatGround(x, z) - s.sink, z);
        }
        std::srand(77);
        const int next = std::rand();
        std::srand(77);
        CopyPlacement copies[20];
        scatterCopies(seed, s, copies, 20);
        EXPECT_EQ(std::rand(), next) << "seed " << seed;
        expectSame(copies, expected, 20);
    }
}

TEST(MirroredCopies, PlacementsStayInTheRing) {
    CopyPlacement copies[50];
    scatterCopies(99, ring(), copies, 50);
    for (const CopyPlacement& c : copies) {
        const float dx = c.position.x + 30.0f;
        const float dz = c.position.z - 5.0f;
        const float r = std::sqrt(dx * dx + dz * dz);
        EXPECT_GE(r, 1.0f - 1e-4f);
        EXPECT_LE(r, 4.0f + 1e-4f);
        EXPECT_EQ(c.position.y, 1.25f);
        EXPECT_GE(c.yaw, 1.0f);
        EXPECT_LE(c.yaw, 2.0f);
        EXPECT_GE(c.scale, 1.2f);
        EXPECT_LE(c.scale, 1.8f);
    }
}

TEST(MirroredCopies, TheMirrorImageLiesBelowTheWater) {
    CopyPlacement p;
    p.position = TVector(2.0f, 1.0f, -3.0f);
    p.yaw = 0.7f;
    p.scale = 2.0f;
    const Mat4 up = copyMatrix(p, false);
    const Mat4 down = copyMatrix(p, true);
    const TVector points[] = {TVector(0, 0, 0), TVector(0.3f, 1.2f, -0.4f), TVector(-1, 2, 1)};
    for (const TVector& q : points) {
        const TVector a = mat4TransformPoint(up, q);
        const TVector b = mat4TransformPoint(down, q);
        EXPECT_FLOAT_EQ(a.x, b.x);
        EXPECT_FLOAT_EQ(a.y, -b.y);
        EXPECT_FLOAT_EQ(a.z, b.z);
    }
    // Upright: the origin stands at the placement, a unit up is `scale` higher, and the turn
    // takes +z toward +x by the yaw.
    const TVector top = mat4TransformPoint(up, TVector(0, 1, 0));
    EXPECT_FLOAT_EQ(top.y, 3.0f);
    const TVector front = mat4TransformPoint(up, TVector(0, 0, 1));
    EXPECT_NEAR(front.x, 2.0f + 2.0f * std::sin(0.7f), 1e-5f);
    EXPECT_NEAR(front.z, -3.0f + 2.0f * std::cos(0.7f), 1e-5f);
}
