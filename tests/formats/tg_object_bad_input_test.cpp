// Bad ".objb" files and caches: each gives a message, an empty mesh and no crash, and nothing
// is read past the file. scripts/test also runs these under AddressSanitizer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cmath>
#include <fstream>
#include <limits>
#include <memory>

#include "formats/tg_object.h"
#include "mesh_fixture.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void writeBytes(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

void expectEmpty(const TGObject& mesh, const std::string& what) {
    EXPECT_EQ(mesh.partCount, 0) << what;
    EXPECT_TRUE(mesh.parts[0].positions.empty()) << what;
    mesh.draw(-1);
}

// Every proper prefix of a good file, read directly and through the cache.
TEST(TGObjectBadInput, TruncatedAtEveryByte) {
    testsupport::TempDir dir;
    const std::string good = dir.file("good.objb");
    ASSERT_TRUE(writeObjb(good, fixture::twoParts()));
    const std::vector<uint8_t> bytes = bytesOf(good);
    const std::string path = dir.file("cut.objb");
    auto mesh = std::make_unique<TGObject>();
    for (size_t n = 0; n < bytes.size(); ++n) {
        writeBytes(path, bytes.data(), n);
        for (bool skipCache : {true, false}) {
            testing::internal::CaptureStdout();
            EXPECT_FALSE(mesh->loadObjb(path, 1.0f, skipCache)) << n;
            std::string out = testing::internal::GetCapturedStdout();
            EXPECT_NE(out.find(path), std::string::npos) << n << ": " << out;
            expectEmpty(*mesh, "cut at " + std::to_string(n));
            EXPECT_FALSE(std::ifstream(path + "comp").good()) << "no cache for a bad file, cut at " << n;
        }
    }
}

// A good cache cut at every byte: the mesh is refused, not read past its end.
TEST(TGObjectBadInput, CacheTruncatedAtEveryByte) {
    testsupport::TempDir dir;
    const std::string good = dir.file("good.objb");
    ASSERT_TRUE(writeObjb(good, fixture::twoParts()));
    auto mesh = std::make_unique<TGObject>();
    ASSERT_TRUE(mesh->loadObjb(good, 1.0f, false));
    const std::vector<uint8_t> cache = bytesOf(good + "comp");
    ASSERT_GT(cache.size(), 28u);
    for (size_t n = 0; n < cache.size(); ++n) {
        writeBytes(good + "comp", cache.data(), n);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(mesh->loadObjb(good, 1.0f, false)) << n;
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find(good + "comp"), std::string::npos) << n << ": " << out;
        expectEmpty(*mesh, "cache cut at " + std::to_string(n));
    }
}

TEST(TGObjectBadInput, BadCountsTable) {
    testsupport::TempDir dir;
    const std::string good = dir.file("good.objb");
    ASSERT_TRUE(writeObjb(good, fixture::twoParts()));
    const std::vector<uint8_t> bytes = bytesOf(good);
    struct Case {
        const char* name;
        size_t offset;  // where the int32 goes
        int32_t value;
        const char* says;
    };
    // Offsets: part count 0; part 0's V at 12 and I at 16; part 1's V at 12 + 8 + 108 + 12 = 140.
    const Case cases[] = {
        {"part count 201", 0, 201, "outside 0..200"},
        {"part count -1", 0, -1, "outside 0..200"},
        {"vertex count past the file", 12, 1000000, "run past the end"},
        {"huge vertex count", 140, 0x7fffffff, "run past the end"},
        {"index count past the file", 16, 70, "run past the end"},
        {"negative vertex count", 140, -4, "negative"},
        {"index past its vertices", 12 + 8 + 108, 3, "points past"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = bytes;
        std::memcpy(&bad[c.offset], &c.value, 4);
        const std::string path = dir.file("bad.objb");
        writeBytes(path, bad.data(), bad.size());
        for (bool skipCache : {true, false}) {
            auto mesh = std::make_unique<TGObject>();
            testing::internal::CaptureStdout();
            EXPECT_FALSE(mesh->loadObjb(path, 1.0f, skipCache)) << c.name;
            std::string out = testing::internal::GetCapturedStdout();
            EXPECT_NE(out.find(path), std::string::npos) << c.name << ": " << out;
            EXPECT_NE(out.find(c.says), std::string::npos) << c.name << ": " << out;
            expectEmpty(*mesh, c.name);
        }
    }
}

// A mesh with one absurd vertex, or a cache whose box is absurd or holds none of its vertices:
// refused at load with a line that names the file and the fault, as for a broken file (before,
// the scatter asked for ~9e15 points per triangle and ran practically forever).
TEST(TGObjectBadInput, AbsurdCoordinatesTable) {
    testsupport::TempDir dir;
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        bool inCache;  // the value goes into the cache's box (else into part 1's vertex 2)
        size_t component;
        float value;
        const char* says;
    };
    // The cache's box: minimum x, y, z at bytes 4, 8, 12; maximum at 16, 20, 24.
    const Case cases[] = {
        {"vertex at 1e20", false, 1, 1e20f, "vertex 2 has y = 1e+20"},
        {"vertex at infinity", false, 0, inf, "vertex 2 has x = inf"},
        {"vertex not a number", false, 2, std::nanf(""), "vertex 2 has z = nan"},
        {"vertex just beyond the limit", false, 0, 100001.0f, "beyond +-100000"},
        {"box minimum at -1e20", true, 4, -1e20f, "the box's x runs from -1e+20"},
        {"box maximum at infinity", true, 24, inf, "the box's z runs from"},
        {"box maximum not a number", true, 20, std::nanf(""), "the box's y runs from"},
        {"box upside down", true, 16, -10.0f, "holds none of its vertices"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.file("absurd.objb");
        std::remove((path + "comp").c_str());
        ObjbMesh m = fixture::twoParts();
        if (!c.inCache) m.parts[1].positions[3 * 2 + c.component] = c.value;
        ASSERT_TRUE(writeObjb(path, m)) << c.name;
        if (c.inCache) {
            auto good = std::make_unique<TGObject>();
            ASSERT_TRUE(good->loadObjb(path, 1.0f, false)) << c.name;
            std::vector<uint8_t> cache = bytesOf(path + "comp");
            std::memcpy(&cache[c.component], &c.value, 4);
            writeBytes(path + "comp", cache.data(), cache.size());
        }
        for (bool skipCache : {true, false}) {
            if (c.inCache && skipCache) continue;  // the file itself is good
            auto mesh = std::make_unique<TGObject>();
            testing::internal::CaptureStdout();
            EXPECT_FALSE(mesh->loadObjb(path, 1.0f, skipCache)) << c.name;
            const std::string out = testing::internal::GetCapturedStdout();
            EXPECT_NE(out.find(c.inCache ? path + "comp" : path), std::string::npos) << c.name << ": " << out;
            EXPECT_NE(out.find(c.says), std::string::npos) << c.name << ": " << out;
            expectEmpty(*mesh, c.name);
            if (!c.inCache) {
                EXPECT_FALSE(std::ifstream(path + "comp").good()) << "no cache for " << c.name;
            }
        }
    }
    // At the limit itself the mesh is good.
    ObjbMesh edge = fixture::twoParts();
    edge.parts[1].positions[0] = -100000.0f;
    const std::string path = dir.file("edge.objb");
    ASSERT_TRUE(writeObjb(path, edge));
    auto mesh = std::make_unique<TGObject>();
    EXPECT_TRUE(mesh->loadObjb(path, 1.0f, false));
    EXPECT_TRUE(mesh->loadObjb(path, 1.0f, false)) << "and through its cache";
}

TEST(TGObjectBadInput, MissingFile) {
    testsupport::TempDir dir;
    auto mesh = std::make_unique<TGObject>();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(mesh->loadObjb(dir.file("missing.objb"), 1.0f, false));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("missing.objb"), std::string::npos) << out;
    expectEmpty(*mesh, "missing");
    EXPECT_TRUE(mesh->loaded);
}

}  // namespace
