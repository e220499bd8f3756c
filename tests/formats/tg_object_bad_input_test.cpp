// Bad ".objb" files and caches: each gives a message, an empty mesh and no crash, and nothing
// is read past the file. scripts/test also runs these under AddressSanitizer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

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
