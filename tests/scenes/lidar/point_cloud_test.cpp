#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "scenes/lidar/point_cloud.h"
#include "support/temp_dir.h"

namespace {

const float kMin[3] = {-1.0f, -0.5f, 2.0f};
const float kMax[3] = {1.0f, 0.5f, 6.0f};

TEST(PointCloud, DecodesTheEndsOfTheRanges) {
    testsupport::TempDir dir;
    std::vector<uint16_t> records = {0, 0, 0, 0, 65535, 65535, 65535, 65535, 32768, 0, 65535, 6553};
    const std::string base = dir.file("cloud.ascbb");
    ASSERT_TRUE(writeCompressedPointCloud(base + "comp", kMin, kMax, records));
    EXPECT_EQ(std::filesystem::file_size(base + "comp"), 28u + 3 * 8);
    PointCloud cloud;
    ASSERT_TRUE(cloud.loadCompressed(base));
    ASSERT_EQ(cloud.count, 3);
    const float want[12] = {-1.0f, -0.5f, 2.0f, 0.0f, 1.0f, 0.5f, 6.0f, 10.0f,
                            32768.0f / 65535.0f * 2.0f - 1.0f, -0.5f, 6.0f, 6553.0f / 65535.0f * 10.0f};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(cloud.points[size_t(i)], want[i]) << i;
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(cloud.boundsMin[a], kMin[a]);
        EXPECT_EQ(cloud.boundsMax[a], kMax[a]);
    }
}

TEST(PointCloud, QuantiseRoundsAndClamps) {
    EXPECT_EQ(quantisePointValue(-1.0f, -1.0f, 1.0f), 0);
    EXPECT_EQ(quantisePointValue(1.0f, -1.0f, 1.0f), 65535);
    EXPECT_EQ(quantisePointValue(0.0f, -1.0f, 1.0f), 32768);  // 32767.5 rounds up
    EXPECT_EQ(quantisePointValue(9.0f, -1.0f, 1.0f), 65535);
    EXPECT_EQ(quantisePointValue(3.0f, 3.0f, 3.0f), 0);
}

// Missing, short and empty files leave count 0; none reads past the file.
TEST(PointCloud, BadAndEmptyFilesTable) {
    testsupport::TempDir dir;
    auto write = [&](const std::string& name, int32_t count, size_t recordBytes) {
        std::vector<uint8_t> b(28 + recordBytes);
        std::memcpy(&b[0], &count, 4);
        std::string path = dir.file(name);
        FILE* f = std::fopen((path + "comp").c_str(), "wb");
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
        return path;
    };
    struct Case {
        const char* name;
        std::string base;
        bool ok;
    };
    const Case cases[] = {
        {"missing", dir.file("none"), false},
        {"count 0", write("empty", 0, 0), true},
        {"short of records", write("short", 3, 16), false},
        {"negative count", write("negative", -2, 0), false},
        {"truncated header", [&] {
             std::string p = dir.file("hdr");
             FILE* f = std::fopen((p + "comp").c_str(), "wb");
             std::fwrite("abcdefgh", 1, 8, f);
             std::fclose(f);
             return p;
         }(), false},
    };
    for (const Case& c : cases) {
        PointCloud cloud;
        cloud.count = 99;
        EXPECT_EQ(cloud.loadCompressed(c.base), c.ok) << c.name;
        EXPECT_EQ(cloud.count, 0) << c.name;
        EXPECT_TRUE(cloud.points.empty()) << c.name;
    }
}

TEST(PointCloud, DrawCountTable) {
    struct Case {
        int32_t count;
        float fraction;
        int32_t want;
    };
    const Case cases[] = {{1001, 0.8f, 800}, {1001, 0.0f, 0}, {1001, 1.0f, 1001},
                          {0, 0.5f, 0},      {10, 1.5f, 10},  {10, -1.0f, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(pointCloudDrawCount(c.count, c.fraction), c.want) << c.count << " x " << c.fraction;
}

}  // namespace
