#include "common/tvector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectVector(const TVector& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

TEST(TVector, Arithmetic) {
    const TVector a(1, 2, 3), b(4, -5, 6);
    expectVector(a + b, 5, -3, 9);
    expectVector(a - b, -3, 7, -3);
    expectVector(a * 2.0f, 2, 4, 6);
    expectVector(2.0f * a, 2, 4, 6);
    expectVector(-a, -1, -2, -3);
}

TEST(TVector, CrossProduct) {
    struct Case { TVector a, b, expected; };
    const Case cases[] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        {{1, 2, 3}, {4, 5, 6}, {-3, 6, -3}},
        {{2, 2, 2}, {1, 1, 1}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const TVector r = cross(c.a, c.b);
        expectVector(r, c.expected.x, c.expected.y, c.expected.z);
    }
}

TEST(TVector, NormalizeInPlace) {
    struct Case { const char* name; TVector in, expected; };
    const Case cases[] = {
        {"axis", {0, 0, 5}, {0, 0, 1}},
        {"3-4-0", {3, 4, 0}, {0.6f, 0.8f, 0}},
        {"tiny becomes zero", {1e-9f, 0, 0}, {0, 0, 0}},
        {"zero stays zero", {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TVector v = c.in;
        v.normalize();
        expectVector(v, c.expected.x, c.expected.y, c.expected.z);
        EXPECT_FALSE(std::isnan(v.x));
    }
}

TEST(EulerRotation, FirstRowAndAxisProduct) {
    const float a = 0.3f, b = -0.7f, c = 1.1f;
    const TMatrix3 r = eulerRotation(a, b, c);
    EXPECT_NEAR(r.m[0][0], std::cos(b) * std::cos(c), 1e-6f);
    EXPECT_NEAR(r.m[0][1], -std::cos(b) * std::sin(c), 1e-6f);
    EXPECT_NEAR(r.m[0][2], std::sin(b), 1e-6f);

    // Rx(a) Ry(b) Rz(c) applied to a vector equals the three rotations applied right to left.
    const TVector v(0.2f, -1.0f, 0.5f);
    const TVector z = eulerRotation(0, 0, c) * v;
    const TVector yz = eulerRotation(0, b, 0) * z;
    const TVector xyz = eulerRotation(a, 0, 0) * yz;
    const TVector direct = r * v;
    expectVector(direct, xyz.x, xyz.y, xyz.z);
}

TEST(EulerRotation, SingleAxes) {
    const float q = static_cast<float>(M_PI / 2);
    expectVector(eulerRotation(q, 0, 0) * TVector(0, 1, 0), 0, 0, 1);  // x turns y into z
    expectVector(eulerRotation(0, q, 0) * TVector(0, 0, 1), 1, 0, 0);  // y turns z into x
    expectVector(eulerRotation(0, 0, q) * TVector(1, 0, 0), 0, 1, 0);  // z turns x into y
}

}  // namespace
