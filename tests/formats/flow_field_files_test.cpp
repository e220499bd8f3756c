#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "formats/flow_field_files.h"
#include "formats/flow_field_loader.h"
#include "support/temp_dir.h"

namespace {

TEST(FlowFieldFiles, VelocityRoundTrip) {
    testsupport::TempDir dir;
    std::vector<float> field(kVelocityFloats);
    for (size_t i = 0; i < field.size(); i += 997) field[i] = static_cast<float>(i) * 0.5f;
    field[velocityIndex(127, 255, 127, 2)] = -3.25f;
    const std::string path = dir.file("velocity.dat");
    ASSERT_TRUE(writeVelocityField(path, field));
    EXPECT_EQ(std::filesystem::file_size(path), 50331648u);
    std::vector<float> back;
    std::string error;
    ASSERT_TRUE(readVelocityField(path, back, error)) << error;
    EXPECT_EQ(back, field);
    EXPECT_EQ(velocityIndex(127, 255, 127, 2), kVelocityFloats - 1);
    EXPECT_FALSE(writeVelocityField(dir.file("short.dat"), std::vector<float>(10)));
}

TEST(FlowFieldFiles, VoronoiRoundTripAndScale) {
    testsupport::TempDir dir;
    VoronoiMap map;
    map.width = 3;
    map.height = 2;
    map.values = {0.0f, 10000.0f, 5000.0f, 1.0f, 2.0f, 3.0f};
    const std::string path = dir.file("voronoimap.bin");
    ASSERT_TRUE(writeVoronoiMap(path, map));
    EXPECT_EQ(std::filesystem::file_size(path), 8u + 24);
    VoronoiMap back;
    std::string error;
    ASSERT_TRUE(readVoronoiMap(path, back, error)) << error;
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.values, map.values);
    scaleVoronoiValues(back.values);
    EXPECT_EQ(back.values[1], 1.0f);  // 10000 reaches the shaders as 1.0
    EXPECT_EQ(back.values[0], 0.0f);
}

// Missing, short and malformed files are refused with the file's name and what it should hold.
TEST(FlowFieldFiles, BadFilesTable) {
    testsupport::TempDir dir;
    auto writeBytes = [&](const std::string& name, std::vector<uint8_t> bytes) {
        std::string path = dir.file(name);
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    };
    auto header = [](int32_t w, int32_t h, size_t extraFloats) {
        std::vector<uint8_t> b(8 + extraFloats * 4);
        std::memcpy(&b[0], &w, 4);
        std::memcpy(&b[4], &h, 4);
        return b;
    };
    struct Case {
        const char* name;
        bool velocity;
        std::string path;
        const char* mentions;
    };
    const Case cases[] = {
        {"missing velocity", true, dir.file("none.dat"), "50331648"},
        {"short velocity", true, writeBytes("short.dat", std::vector<uint8_t>(1000)), "1000 bytes"},
        {"missing Voronoi", false, dir.file("none.bin"), "width x height"},
        {"Voronoi without header", false, writeBytes("h.bin", {1, 0, 0}), "header"},
        {"Voronoi short of values", false, writeBytes("s.bin", header(4, 4, 15)), "72"},
        {"Voronoi of negative size", false, writeBytes("n.bin", header(-4, 4, 0)), "-4 x 4"},
    };
    for (const Case& c : cases) {
        std::string error;
        bool ok;
        if (c.velocity) {
            std::vector<float> field;
            ok = readVelocityField(c.path, field, error);
        } else {
            VoronoiMap map;
            ok = readVoronoiMap(c.path, map, error);
        }
        EXPECT_FALSE(ok) << c.name;
        EXPECT_NE(error.find(c.path), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(c.mentions), std::string::npos) << c.name << ": " << error;
    }
}

TEST(FlowFieldFilesDeathTest, ShortVelocityFileStopsTheShow) {
    testsupport::TempDir dir;
    std::string path = dir.file("velocity.dat");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("too short", f);
    std::fclose(f);
    FlowField field;
    EXPECT_EXIT(loadFlowField(field, path, dir.file("voronoimap.bin")), testing::ExitedWithCode(1),
                "velocity.dat holds only 9 bytes");
}

}  // namespace
