#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <thread>

#include "formats/mesh_cache.h"
#include "formats/tg_object.h"
#include "mesh_fixture.h"
#include "support/temp_dir.h"
#include "tvector_eq.h"

namespace {

std::string writeFixture(const testsupport::TempDir& dir, const ObjbMesh& mesh, const char* name = "m.objb") {
    std::string path = dir.file(name);
    EXPECT_TRUE(writeObjb(path, mesh));
    return path;
}

// The corner of the fixture's box that quantises exactly: (3, 4, 5), vertex 2 of part 1.
TEST(TGObject, ScaleThroughTheCacheIsAppliedTwice) {
    testsupport::TempDir dir;
    const std::string path = writeFixture(dir, fixture::twoParts());
    struct Case {
        const char* name;
        bool skipCache;
        float want;  // x of (3, 4, 5) after loading with scale 2
    };
    const Case cases[] = {
        {"run that writes the cache", false, 12.0f},
        {"run that reads the cache", false, 12.0f},
        {"skipCache", true, 6.0f},
    };
    for (const Case& c : cases) {
        auto mesh = std::make_unique<TGObject>();
        ASSERT_TRUE(mesh->loadObjb(path, 2.0f, c.skipCache)) << c.name;
        EXPECT_TRUE(mesh->loaded);
        ASSERT_EQ(mesh->partCount, 2) << c.name;
        const TGObjectPart& p = mesh->parts[1];
        EXPECT_EQ(p.vertexCount, 4);
        EXPECT_EQ(p.indexCount, 6);
        EXPECT_EQ(p.index, 1u);
        EXPECT_EQ(p.positions[6], c.want) << c.name;
        EXPECT_EQ(p.positions[7], c.want / 3.0f * 4.0f) << c.name;
        EXPECT_EQ(mesh->boxMax, TVector(c.want, c.want / 3 * 4, c.want / 3 * 5)) << c.name;
        EXPECT_EQ(mesh->boxMin, TVector(-c.want / 3, -c.want / 3 * 2, -c.want)) << c.name;
        EXPECT_TRUE(std::filesystem::exists(path + "comp"));
    }
}

// What colours and normals become, directly and through the cache.
TEST(TGObject, ColoursAndNormalsTable) {
    testsupport::TempDir dir;
    const std::string path = writeFixture(dir, fixture::twoParts());
    auto direct = std::make_unique<TGObject>();
    auto cached = std::make_unique<TGObject>();
    ASSERT_TRUE(direct->loadObjb(path, 1.0f, true));
    ASSERT_TRUE(cached->loadObjb(path, 1.0f, false));
    struct Case {
        const char* name;
        float got, want;
    };
    const Case cases[] = {
        {"colour -1 in memory", direct->parts[0].colours[0], 0.0f},
        {"colour 1 in memory", direct->parts[0].colours[3], 1.0f},
        {"colour 0 in memory", direct->parts[0].colours[6], 0.5f},
        {"colour -1 through the cache", cached->parts[0].colours[0], 0.0f},
        {"colour 1 through the cache", cached->parts[0].colours[3], 1.0f},
        {"colour 0 through the cache", cached->parts[0].colours[6], 127.0f / 255.0f},
        {"normal -2 through the cache", cached->parts[1].normals[0], -2.0f},
        {"normal 2 through the cache", cached->parts[1].normals[1], 2.0f},
        {"normal 0 through the cache", cached->parts[1].normals[2], 32767.0f / 65535.0f * 4.0f - 2.0f},
        {"position at the minimum", cached->parts[1].positions[0], -1.0f},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(TGObject, FileWithoutNormalsOrColoursGetsUpAndWhite) {
    testsupport::TempDir dir;
    ObjbMesh bare = fixture::twoParts();
    bare.hasColours = bare.hasNormals = false;
    const std::string path = writeFixture(dir, bare);
    for (bool skip : {true, false}) {
        auto mesh = std::make_unique<TGObject>();
        ASSERT_TRUE(mesh->loadObjb(path, 1.0f, skip));
        const TGObjectPart& p = mesh->parts[1];
        for (size_t k = 0; k < p.normals.size(); ++k) {
            const float up = skip ? 1.0f : 49151.0f / 65535.0f * 4.0f - 2.0f;      // 1 via the cache
            const float flat = skip ? 0.0f : 32767.0f / 65535.0f * 4.0f - 2.0f;   // 0 via the cache
            EXPECT_EQ(p.normals[k], k % 3 == 1 ? up : flat) << k;
            EXPECT_EQ(p.colours[k], 1.0f);
        }
    }
}

TEST(TGObject, FlatAxisReadsBackAsTheMinimum) {
    testsupport::TempDir dir;
    ObjbMesh flat = fixture::twoParts();
    flat.parts.resize(1);  // the triangle at z = 0
    auto mesh = std::make_unique<TGObject>();
    ASSERT_TRUE(mesh->loadObjb(writeFixture(dir, flat), 1.0f, false));
    for (size_t k = 2; k < 9; k += 3) EXPECT_EQ(mesh->parts[0].positions[k], 0.0f);
    EXPECT_EQ(mesh->boxMin.z, 0.0f);
    EXPECT_EQ(mesh->boxMax.z, 0.0f);
}

// Two threads load one mesh through a cache that does not exist yet: the second waits for the
// first, both get the same mesh, equal to a plain single load, and the cache file is whole.
TEST(TGObject, ConcurrentLoadsOfOneMeshShareOneWholeCache) {
    testsupport::TempDir dir;
    ObjbMesh big;
    big.hasNormals = big.hasColours = true;
    for (int p = 0; p < 20; ++p) {
        MeshPart part;
        for (int v = 0; v < 3000; ++v) {
            float f = float(p * 3000 + v);
            part.positions.insert(part.positions.end(), {std::sin(f), std::cos(f * 0.3f) * 2, f * 0.001f});
            part.normals.insert(part.normals.end(), {0.0f, 1.0f, 0.0f});
            part.colours.insert(part.colours.end(), {0.5f, -0.5f, 0.0f});
            part.indices.push_back(uint32_t(v));
        }
        big.parts.push_back(part);
    }
    const std::string path = writeFixture(dir, big);
    const std::string reference = writeFixture(dir, big, "ref.objb");
    auto expected = std::make_unique<TGObject>();
    ASSERT_TRUE(expected->loadObjb(reference, 1.5f, false));

    for (int round = 0; round < 3; ++round) {
        std::filesystem::remove(path + "comp");
        auto a = std::make_unique<TGObject>();
        auto b = std::make_unique<TGObject>();
        testing::internal::CaptureStdout();
        std::thread ta([&] { a->loadObjb(path, 1.5f, false); });
        std::thread tb([&] { b->loadObjb(path, 1.5f, false); });
        ta.join();
        tb.join();
        // One load reads the ".objb" and writes the cache; the other waits and reads the cache.
        const std::string log = testing::internal::GetCapturedStdout();
        EXPECT_EQ(log.find("BBMid"), log.rfind("BBMid")) << log;
        EXPECT_NE(log.find("BBMid"), std::string::npos) << log;
        for (const TGObject* m : {a.get(), b.get()}) {
            ASSERT_EQ(m->partCount, 20);
            for (int p = 0; p < 20; ++p) {
                ASSERT_EQ(m->parts[p].positions, expected->parts[p].positions) << p;
                ASSERT_EQ(m->parts[p].colours, expected->parts[p].colours) << p;
            }
            EXPECT_EQ(m->boxMax, expected->boxMax);
        }
        EXPECT_EQ(std::filesystem::file_size(path + "comp"), std::filesystem::file_size(reference + "comp"));
        std::vector<MeshPart> parts;
        TVector lo, hi;
        std::string error;
        EXPECT_TRUE(readMeshCache(path + "comp", 1.0f, parts, lo, hi, error)) << error;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

TEST(TGObject, DrawWithoutALoadOrAContextDoesNothing) {
    auto mesh = std::make_unique<TGObject>();
    EXPECT_FALSE(mesh->loaded);
    mesh->draw(-1);  // not loaded: no GL call
    testsupport::TempDir dir;
    ASSERT_TRUE(mesh->loadObjb(writeFixture(dir, fixture::twoParts()), 1.0f, true));
    EXPECT_EQ(mesh->parts[0].vertexArray, 0u);  // no context: CPU arrays only
    mesh->draw(-1);
}

}  // namespace
