#include "gpu/sky_cube.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Corner {
    const char* face;
    float x, y, z;   // a corner of the cube of half-size 2
    float u, v;      // where the picture is addressed there
};

// One corner of each face, read off the cross: the middle row -x, +y, +x, -y; -z above +y,
// +z below it.
TEST(SkyCube, FacesAddressTheHorizontalCross) {
    const Corner corners[] = {
        {"+y", -2, 2, -2, 0.25f, 0.3333f},   {"+y", 2, 2, 2, 0.5f, 0.6666f},
        {"-x", -2, -2, -2, 0.0f, 0.3333f},   {"-x", -2, 2, 2, 0.25f, 0.6666f},
        {"+x", 2, 2, -2, 0.5f, 0.3333f},     {"+x", 2, -2, 2, 0.75f, 0.6666f},
        {"-y", 2, -2, -2, 0.75f, 0.3333f},   {"-y", -2, -2, 2, 1.0f, 0.6666f},
        {"-z", -2, -2, -2, 0.25f, 0.0f},     {"-z", 2, 2, -2, 0.5f, 0.3333f},
        {"+z", -2, 2, 2, 0.25f, 0.6666f},    {"+z", 2, -2, 2, 0.5f, 1.0f},
    };
    SkyQuad quads[6];
    skyCubeQuads(2.0f, quads);
    for (const Corner& c : corners) {
        // The face named by its sign and axis: that coordinate is constant over the quad.
        const int axis = c.face[1] - 'x';
        const float side = c.face[0] == '+' ? 2.0f : -2.0f;
        int found = 0;
        for (const SkyQuad& q : quads) {
            const float* a = axis == 0 ? q.x : axis == 1 ? q.y : q.z;
            if (!(a[0] == side && a[1] == side && a[2] == side && a[3] == side)) continue;
            for (int k = 0; k < 4; ++k)
                if (q.x[k] == c.x && q.y[k] == c.y && q.z[k] == c.z && q.u[k] == c.u && q.v[k] == c.v) ++found;
        }
        EXPECT_EQ(found, 1) << c.face << " corner (" << c.x << ", " << c.y << ", " << c.z << ")";
    }
}

// Every face is a square on one side of the cube, its corners in order around it, and uses
// the values the cross is made of.
TEST(SkyCube, EveryFaceIsOneSideOfTheCube) {
    SkyQuad quads[6];
    skyCubeQuads(0.5f, quads);
    int sides[3][2] = {};
    for (const SkyQuad& q : quads) {
        for (int axis = 0; axis < 3; ++axis) {
            const float* a = axis == 0 ? q.x : axis == 1 ? q.y : q.z;
            if (a[0] == a[1] && a[1] == a[2] && a[2] == a[3]) ++sides[axis][a[0] > 0];
        }
        for (int k = 0; k < 4; ++k) {
            const int n = (k + 1) % 4;
            const float d = std::fabs(q.x[k] - q.x[n]) + std::fabs(q.y[k] - q.y[n]) + std::fabs(q.z[k] - q.z[n]);
            EXPECT_EQ(d, 1.0f);  // neighbouring corners share an edge
            EXPECT_TRUE(q.u[k] == 0.0f || q.u[k] == 0.25f || q.u[k] == 0.5f || q.u[k] == 0.75f || q.u[k] == 1.0f);
            EXPECT_TRUE(q.v[k] == 0.0f || q.v[k] == 0.3333f || q.v[k] == 0.6666f || q.v[k] == 1.0f);
        }
    }
    for (auto& axis : sides) {
        EXPECT_EQ(axis[0], 1);
        EXPECT_EQ(axis[1], 1);
    }
}

}  // namespace
