#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "generator/meshes/budget.h"
#include "generator/meshes/mesher.h"
#include "generator/meshes/text.h"

namespace {

using kit::Vec3;

// Every edge of a closed, consistently wound mesh is used once in each direction.
bool closedAndConsistent(const kit::Part& part) {
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (size_t t = 0; t + 2 < part.idx.size(); t += 3)
        for (int e = 0; e < 3; ++e) ++edges[{part.idx[t + e], part.idx[t + (e + 1) % 3]}];
    for (const auto& [edge, count] : edges) {
        if (count != 1) return false;
        auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != 1) return false;
    }
    return true;
}

TEST(MeshKit, ShapesMeshClosedWithOutwardNormals) {
    struct Case {
        const char* name;
        kit::Shape shape;
        Vec3 centre;
    };
    std::vector<Case> cases(3);
    cases[0].name = "sphere";
    cases[0].shape.sphere(Vec3(0.2f, 0.1f, 0), 1.0f);
    cases[1].name = "blended capsules";
    cases[1].shape.capsule(Vec3(-1, 0, 0), Vec3(1, 0, 0), 0.4f);
    cases[1].shape.capsule(Vec3(0, -1, 0), Vec3(0, 1, 0), 0.3f).blend(0.2f);
    cases[2].name = "box with a hole";
    cases[2].shape.roundBox(Vec3(0, 0, 0), Vec3(1, 0.5f, 0.5f), 0.05f);
    cases[2].shape.cylinder(Vec3(0.5f, 0, -1), Vec3(0.5f, 0, 1), 0.2f).sub();
    for (const Case& c : cases) {
        const kit::Part part = kit::meshShape(c.shape, 0.05f);
        ASSERT_GT(part.triangles(), 100u) << c.name;
        EXPECT_TRUE(closedAndConsistent(part)) << c.name;
        // Outward: the normals point away from the field's inside.
        int outward = 0;
        for (size_t i = 0; i < part.pos.size(); ++i) {
            const Vec3 p = part.pos[i] + part.nrm[i] * 0.02f;
            outward += c.shape.eval(p) > c.shape.eval(part.pos[i] - part.nrm[i] * 0.02f);
        }
        EXPECT_GT(outward, int(part.pos.size() * 0.99)) << c.name;
    }
}

TEST(MeshKit, SphereAreaMatchesItsSurface) {
    kit::Shape s;
    s.sphere(Vec3(0, 0, 0), 1.0f);
    kit::Mesh m;
    m.parts.push_back(kit::meshShape(s, 0.04f));
    EXPECT_NEAR(kit::area(m), 4.0 * 3.14159265, 0.4);
}

TEST(MeshKit, LettersAreSolidAndSeparate) {
    kit::TextStyle st;
    for (char c : std::string("VELUNAQRB")) {
        kit::Shape s;
        kit::addLetter(s, c, 0.0f, st);
        const kit::Part part = kit::meshShape(s, 0.02f);
        EXPECT_GT(part.triangles(), 200u) << c;
        EXPECT_TRUE(closedAndConsistent(part)) << c;
        const kit::Box b = kit::bounds(part);
        EXPECT_NEAR(b.hi.y - b.lo.y, st.height, 0.08f) << c;
    }
}

// The prediction follows the scatter's own counting rules.
TEST(MeshKit, PredictionCountsAsTheScatterDoes) {
    kit::Mesh tri;  // one right triangle of area 0.5 in the xy plane, z = 0
    tri.parts.resize(1);
    tri.parts[0].pos = {Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)};
    tri.parts[0].idx = {0, 1, 2};
    struct Case {
        const char* name;
        float scale;
        bool cache;
        float dx, dy, ppt;
        Vec3 lo, hi;
        uint64_t points;
    };
    const Case cases[] = {
        {"area-weighted: 50 x D x area", 1, false, 4, 5, -1, {-1, -1, -1}, {2, 2, 2}, 500},
        {"fixed per triangle: ceil(0.126 x 810)", 0.012f, false, 10, 81, 0.126f, {-1, -1, -1}, {2, 2, 2}, 103},
        {"load scale 2 read directly: area x 4", 2, false, 4, 5, -1, {-9, -9, -9}, {9, 9, 9}, 2000},
        {"load scale 2 through the cache: area x 16", 2, true, 4, 5, -1, {-9, -9, -9}, {9, 9, 9}, 8000},
        {"box outside the mesh", 1, false, 4, 5, -1, {5, 5, 5}, {6, 6, 6}, 0},
        {"zero density", 1, false, 0, 5, -1, {-1, -1, -1}, {2, 2, 2}, 0},
    };
    for (const Case& c : cases) {
        kit::ScatterSet set;
        set.loadScale = c.scale;
        set.throughCache = c.cache;
        set.densityX = c.dx;
        set.densityY = c.dy;
        set.pointsPerTriangle = c.ppt;
        set.width = set.height = 1000;
        set.boxMin = c.lo;
        set.boxMax = c.hi;
        EXPECT_EQ(kit::predict(tri, set).points, c.points) << c.name;
    }
    // Half the triangle lies at x <= 0.5 ... roughly: the box clips points one by one.
    kit::ScatterSet half;
    half.densityX = 100;
    half.width = half.height = 1000;
    half.boxMin = Vec3(-1, -1, -1);
    half.boxMax = Vec3(0.5f, 2, 2);
    const double share = double(kit::predict(tri, half).points) / 2500.0;
    EXPECT_NEAR(share, 0.75, 0.03);
}

TEST(MeshKit, FittingLandsNearTheTarget) {
    kit::Shape s;
    s.sphere(Vec3(0, 2, 0), 1.0f);
    kit::Mesh m;
    m.parts.push_back(kit::meshShape(s, 0.1f));
    kit::ScatterSet set;
    set.densityX = 20;
    set.densityY = 40;
    set.width = set.height = 512;
    set.boxMin = Vec3(-1000, 0, -1000);
    set.boxMax = Vec3(1000, 1000, 1000);
    kit::fitToSet(m, set, 0.8);
    EXPECT_NEAR(kit::predict(m, set).fill(), 0.8, 0.02);
}

}  // namespace
