#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>

#include "../formats/mesh_fixture.h"
#include "formats/objb.h"
#include "gpu/texture_object.h"
#include "gpu/texture_scatter.h"
#include "support/temp_dir.h"

namespace {

// A mesh of triangles given by their corners; colours and normals vary per vertex.
void setTriangles(TGObject& mesh, const std::vector<std::vector<TVector>>& partsOfTriangles) {
    mesh.partCount = 0;
    for (const auto& corners : partsOfTriangles) {
        const int p = mesh.partCount++;
        TGObjectPart& part = mesh.parts[p];
        part.positions.clear();
        part.colours.clear();
        part.normals.clear();
        part.indices.clear();
        for (size_t v = 0; v < corners.size(); ++v) {
            const TVector& c = corners[v];
            part.positions.insert(part.positions.end(), {c.x, c.y, c.z});
            float f = static_cast<float>(v % 7) / 7.0f;
            part.colours.insert(part.colours.end(), {f, 1.0f - f, 0.5f * f});
            part.normals.insert(part.normals.end(), {0.3f * f, 1.0f - f, -f});
            part.indices.push_back(static_cast<uint32_t>(v));
        }
        mesh.uploadPart(p);
    }
    mesh.loaded = true;
}

const TVector kEverywhereMin{-1e9f, -1e9f, -1e9f}, kEverywhereMax{1e9f, 1e9f, 1e9f};

std::unique_ptr<TextureObject> object(int w, int h) {
    auto t = std::make_unique<TextureObject>();
    t->allocateArrays(w, h);
    return t;
}

TEST(TextureObject, ConstructionAndAllocation) {
    TextureObject t;
    EXPECT_EQ(t.positionTexture, 0xFFFFFFFFu);
    EXPECT_EQ(t.colourTexture, 0xFFFFFFFFu);
    EXPECT_EQ(t.width, -1);
    EXPECT_EQ(t.height, -1);
    EXPECT_EQ(t.pointsPerTriangle, -1.0f);
    EXPECT_EQ(t.loadScale, 1.0f);
    EXPECT_FALSE(t.skipCache);
    t.allocateArrays(3, 2);
    EXPECT_EQ(t.randomState, 4134u);
    EXPECT_EQ(t.positions.size(), 24u);
    EXPECT_EQ(t.colours.size(), 24u);
    EXPECT_EQ(t.normals.size(), 18u);
}

// 0.126 x 81 x 10 = 102.06: 103 points on every triangle, tiny or huge.
TEST(TextureScatter, FixedPointsPerTriangleIgnoreArea) {
    auto t = object(100, 100);
    setTriangles(t->mesh, {{{0, 0, 0}, {1e-3f, 0, 0}, {0, 1e-3f, 0}, {0, 0, 0}, {500, 0, 0}, {0, 0, 500}}});
    t->pointsPerTriangle = 0.126f;
    t->scatter(81, 10, kEverywhereMin, kEverywhereMax);
    EXPECT_EQ(t->filledCount, 206);
    EXPECT_EQ(scatterPointCount(810.0f, 0.126f, {}, {}, {}), 103);
    // By area: 25 x |cross| = 50 x area; a triangle of area 0.5 at density 1 x 3 gets 75.
    EXPECT_EQ(scatterPointCount(3.0f, -1.0f, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 75);
    EXPECT_EQ(scatterPointCount(3.0f, -1.0f, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}), 0);  // degenerate
}

// Nothing written: the arrays keep what they held and the count is 0.
TEST(TextureScatter, NothingWrittenTable) {
    struct Case {
        const char* name;
        float densityX, densityY;
        TVector boxMin, boxMax;
    };
    const Case cases[] = {
        {"density product 0", 0.0f, 10.0f, kEverywhereMin, kEverywhereMax},
        {"negative density", -2.0f, 10.0f, kEverywhereMin, kEverywhereMax},
        {"box beside the mesh", 81.0f, 10.0f, {5, 5, 5}, {6, 6, 6}},
        {"inverted box", 81.0f, 10.0f, kEverywhereMax, kEverywhereMin},
    };
    for (const Case& c : cases) {
        auto t = object(16, 16);
        std::fill(t->positions.begin(), t->positions.end(), 7.0f);
        setTriangles(t->mesh, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
        t->pointsPerTriangle = 0.126f;
        t->scatter(c.densityX, c.densityY, c.boxMin, c.boxMax);
        EXPECT_EQ(t->filledCount, 0) << c.name;
        EXPECT_EQ(t->positions, ZeroedFloats(16 * 16 * 4, 7.0f)) << c.name;
    }
}

TEST(TextureScatter, FoldTable) {
    struct Case {
        float d1, d2, r1, r2, r3;
    };
    const Case cases[] = {{0.7f, 0.6f, 0.3f, 0.4f, 0.3f}, {0.2f, 0.3f, 0.2f, 0.3f, 0.5f}, {0.5f, 0.5f, 0.5f, 0.5f, 0.0f}};
    for (const Case& c : cases) {
        ScatterWeights w = scatterWeights(c.d1, c.d2);
        EXPECT_NEAR(w.r1, c.r1, 1e-6f) << c.d1 << ", " << c.d2;
        EXPECT_NEAR(w.r2, c.r2, 1e-6f) << c.d1 << ", " << c.d2;
        EXPECT_NEAR(w.r3, c.r3, 1e-6f) << c.d1 << ", " << c.d2;
    }
}

// The first point of a fresh object: two draws from state 4134, folded, on a triangle whose
// corners are the unit axes, so the point is its own weights.
TEST(TextureScatter, FirstPointFollowsTheGenerator) {
    auto t = object(4, 4);
    setTriangles(t->mesh, {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}});
    t->pointsPerTriangle = 0.5f;
    t->scatter(1, 1, kEverywhereMin, kEverywhereMax);
    uint32_t a = 4134u * 214013u + 2531011u, b = a * 214013u + 2531011u;
    ScatterWeights w = scatterWeights(float((a >> 16) & 32767u) / 32767.0f, float((b >> 16) & 32767u) / 32767.0f);
    EXPECT_EQ(t->filledCount, 1);
    EXPECT_EQ(t->positions[0], w.r1);
    EXPECT_EQ(t->positions[1], w.r2);
    EXPECT_EQ(t->positions[2], w.r3);
    EXPECT_EQ(t->positions[3], 0.0f);  // part 0
    EXPECT_EQ(t->randomState, b);
}

// 103 points into 16 texels: the index wraps six times, the count is that of the last pass
// (103 mod 16 = 7), and every texel holds the last point written to it.
TEST(TextureScatter, WrapsPastTheTexels) {
    auto small = object(4, 4);
    auto large = object(16, 16);
    for (TextureObject* t : {small.get(), large.get()}) {
        setTriangles(t->mesh, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
        t->pointsPerTriangle = 0.126f;
        t->scatter(81, 10, kEverywhereMin, kEverywhereMax);
    }
    EXPECT_EQ(large->filledCount, 103);
    EXPECT_EQ(small->filledCount, 7);
    for (int i = 0; i < 16; ++i) {
        int last = i < 7 ? 96 + i : 80 + i;
        for (int c = 0; c < 4; ++c) EXPECT_EQ(small->positions[4 * i + c], large->positions[4 * last + c]) << i;
        for (int c = 0; c < 3; ++c) EXPECT_EQ(small->normals[3 * i + c], large->normals[3 * last + c]) << i;
    }
}

TEST(TextureScatter, PrintsMillionsAndTheMaxcounterLine) {
    auto t = object(1000, 1000);
    setTriangles(t->mesh, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}});
    t->pointsPerTriangle = 1200000.0f;
    testing::internal::CaptureStdout();
    t->scatter(1, 1, kEverywhereMin, kEverywhereMax);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1000000\nTGObject Maxcounter: 200000/ 1000000\n");
}

// Random meshes, boxes, densities and grids: the fast scatter equals the plain definition bit
// for bit, arrays, count and generator state alike.
TEST(TextureScatter, FastEqualsPlain) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-2.0f, 2.0f);
    for (int round = 0; round < 40; ++round) {
        TGObject mesh;
        std::vector<std::vector<TVector>> parts(1 + round % 3);
        for (auto& part : parts)
            for (int v = 0; v < 3 * (1 + round % 5); ++v) part.push_back({u(rng), u(rng), u(rng)});
        setTriangles(mesh, parts);
        const int w = 1 + round % 13, h = 3 + round % 7;
        const TVector lo = round % 4 == 0 ? kEverywhereMin : TVector(u(rng) - 1, u(rng) - 1, -3.0f);
        const TVector hi = round % 4 == 0 ? kEverywhereMax : TVector(u(rng) + 1, u(rng) + 1, 3.0f);
        const float fixed = round % 2 ? -1.0f : 0.126f;
        const float dx = 1.0f + float(round % 9), dy = 0.5f + float(round % 4);
        std::vector<float> a[3], b[3];
        for (auto* arrays : {a, b}) {
            arrays[0].assign(size_t(4 * w * h), -1.0f);
            arrays[1].assign(size_t(4 * w * h), -1.0f);
            arrays[2].assign(size_t(3 * w * h), -1.0f);
        }
        uint32_t sa = 4134 + uint32_t(round), sb = sa;
        int32_t fa = scatterMesh(mesh, dx, dy, lo, hi, fixed, sa, {a[0].data(), a[1].data(), a[2].data(), w * h});
        int32_t fb = scatterMeshPlain(mesh, dx, dy, lo, hi, fixed, sb, {b[0].data(), b[1].data(), b[2].data(), w * h});
        ASSERT_EQ(fa, fb) << round;
        ASSERT_EQ(sa, sb) << round;
        for (int k = 0; k < 3; ++k)
            ASSERT_EQ(std::memcmp(a[k].data(), b[k].data(), a[k].size() * 4), 0) << round << " array " << k;
    }
}

TEST(TextureScatter, SameOnTwoThreads) {
    std::unique_ptr<TextureObject> t[2] = {object(64, 64), object(64, 64)};
    std::thread threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = std::thread([&, i] {
            setTriangles(t[i]->mesh, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 2, 0}, {0, 0, 2}}});
            t[i]->scatter(40, 10, kEverywhereMin, kEverywhereMax);
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_GT(t[0]->filledCount, 0);
    EXPECT_EQ(t[0]->filledCount, t[1]->filledCount);
    EXPECT_EQ(t[0]->positions, t[1]->positions);
    EXPECT_EQ(t[0]->colours, t[1]->colours);
    EXPECT_EQ(t[0]->normals, t[1]->normals);
}

// loadMesh frees the mesh once its points are made: the points are those of a scatter over
// the same triangles, the mesh keeps its bounding box alone, and its arrays hold no memory.
TEST(TextureObject, LoadMeshFreesTheMeshAfterTheScatter) {
    testsupport::TempDir dir;
    const std::string path = dir.file("two.objb");
    ASSERT_TRUE(writeObjb(path, fixture::twoParts()));
    const TVector boxMin(-10, -10, -10), boxMax(10, 10, 10);

    auto loaded = object(32, 32);
    loaded->skipCache = true;
    testing::internal::CaptureStdout();
    loaded->loadMesh(path, 81, 1, boxMin, boxMax, 0.126f);

    auto kept = object(32, 32);  // the same scatter, with the mesh left in place
    kept->pointsPerTriangle = 0.126f;
    kept->mesh.loadObjb(path, 1.0f, true);
    kept->scatter(81, 1, boxMin, boxMax);
    testing::internal::GetCapturedStdout();

    EXPECT_EQ(kept->filledCount, 3 * 11);  // 0.126 x 81 = 10.2: 11 points on each of 3 triangles
    EXPECT_EQ(loaded->filledCount, kept->filledCount);
    EXPECT_EQ(loaded->positions, kept->positions);
    EXPECT_EQ(loaded->colours, kept->colours);
    EXPECT_EQ(loaded->normals, kept->normals);

    const TGObject& mesh = loaded->mesh;
    EXPECT_EQ(kept->mesh.partCount, 2);
    EXPECT_EQ(mesh.partCount, 0);
    for (const TGObjectPart& part : mesh.parts) {
        EXPECT_EQ(part.positions.capacity() + part.normals.capacity() + part.colours.capacity() +
                      part.indices.capacity(), 0u);
        EXPECT_EQ(part.vertexCount + part.indexCount, 0);
    }
    EXPECT_EQ(mesh.boxMin.y, -2.0f);  // the box is kept
    EXPECT_EQ(mesh.boxMax.z, 5.0f);
    EXPECT_TRUE(mesh.loaded);
}

}  // namespace
