#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "formats/mesh_cache.h"
#include "support/temp_dir.h"
#include "tvector_eq.h"

namespace {

TEST(MeshCacheQuantise, Table) {
    struct Case {
        const char* name;
        uint32_t got, want;
    };
    using namespace meshcache;
    const Case cases[] = {
        {"normal -2", quantiseNormal(-2.0f), 0},
        {"normal 2", quantiseNormal(2.0f), 65535},
        {"normal 0 (32767.5 truncated)", quantiseNormal(0.0f), 32767},
        {"normal beyond 2 clamps", quantiseNormal(7.0f), 65535},
        {"normal NaN", quantiseNormal(std::nanf("")), 0},
        {"colour 0", quantiseColour(0.0f), 0},
        {"colour 1", quantiseColour(1.0f), 255},
        {"colour 0.5 (127.5 truncated)", quantiseColour(0.5f), 127},
        {"colour above 1 clamps", quantiseColour(1.5f), 255},
        {"position at minimum", quantisePosition(-1.0f, -1.0f, 3.0f), 0},
        {"position at maximum", quantisePosition(3.0f, -1.0f, 3.0f), 65535},
        {"position 1/4 (16383.75 truncated)", quantisePosition(0.0f, -1.0f, 3.0f), 16383},
        {"flat axis", quantisePosition(2.0f, 2.0f, 2.0f), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(MeshCacheQuantise, DequantiseInSinglePrecision) {
    using namespace meshcache;
    EXPECT_NEAR(dequantiseNormal(32767), -0.00003f, 0.000001f);
    EXPECT_EQ(dequantiseNormal(0), -2.0f);
    EXPECT_EQ(dequantiseNormal(65535), 2.0f);
    EXPECT_EQ(dequantiseColour(255), 1.0f);
    EXPECT_EQ(dequantisePosition(0, -1.0f, 3.0f, 1.0f), -1.0f);
    EXPECT_EQ(dequantisePosition(65535, -1.0f, 3.0f, 1.0f), 3.0f);
    EXPECT_EQ(dequantisePosition(65535, -1.0f, 3.0f, 2.0f), 6.0f);
    EXPECT_EQ(dequantisePosition(12345, 2.0f, 2.0f, 1.0f), 2.0f);  // flat axis reads the minimum
}

// A one-triangle part in a box from (-1, -2, -3) to (3, 4, 5), bytes worked out by hand.
TEST(MeshCache, BytesAsWorkedOutByHand) {
    testsupport::TempDir dir;
    MeshPart part;
    part.positions = {0, 0, 0, 1, 0, 0, 3, 4, 5};
    part.normals = {0, 0, 1, -2, 2, 0, 0, 0, 0};
    part.colours = {0, 1, 0.5f, 0.75f, 0.25f, 0, 1, 1, 1};
    part.indices = {0, 1, 2};
    const TVector lo{-1, -2, -3}, hi{3, 4, 5};
    const std::string path = dir.file("m.objbcomp");
    ASSERT_TRUE(writeMeshCache(path, lo, hi, {&part}));

    std::ifstream f(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), {});
    ASSERT_EQ(bytes.size(), 4u + 24 + 8 + 18 + 18 + 9 + 12);
    int32_t count, v, i;
    float box[6];
    std::memcpy(&count, &bytes[0], 4);
    std::memcpy(box, &bytes[4], 24);
    std::memcpy(&v, &bytes[28], 4);
    std::memcpy(&i, &bytes[32], 4);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(box[0], -1.0f);
    EXPECT_EQ(box[5], 5.0f);
    EXPECT_EQ(v, 3);
    EXPECT_EQ(i, 3);
    uint16_t q[18];
    std::memcpy(q, &bytes[36], 36);
    // Positions: (1 x 65535 / 4, 2 x 65535 / 6, 3 x 65535 / 8), then x = 2/4, then the maximum.
    const uint16_t positions[9] = {16383, 21845, 24575, 32767, 21845, 24575, 65535, 65535, 65535};
    // Normals: 0 -> 32767, 1 -> trunc(49151.25), -2 -> 0, 2 -> 65535.
    const uint16_t normals[9] = {32767, 32767, 49151, 0, 65535, 32767, 32767, 32767, 32767};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(q[k], positions[k]) << "position " << k;
    for (int k = 0; k < 9; ++k) EXPECT_EQ(q[9 + k], normals[k]) << "normal " << k;
    const uint8_t colours[9] = {0, 255, 127, 191, 63, 0, 255, 255, 255};
    for (int k = 0; k < 9; ++k) EXPECT_EQ(bytes[72 + k], colours[k]) << "colour " << k;
    uint32_t indices[3];
    std::memcpy(indices, &bytes[81], 12);
    EXPECT_EQ(indices[2], 2u);

    std::vector<MeshPart> back;
    TVector bmin, bmax;
    std::string error;
    ASSERT_TRUE(readMeshCache(path, 2.0f, back, bmin, bmax, error)) << error;
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(bmin, TVector(-2, -4, -6));
    EXPECT_EQ(bmax, TVector(6, 8, 10));
    EXPECT_EQ(back[0].positions[6], 6.0f);  // the maximum, x 2
    EXPECT_EQ(back[0].positions[0], (16383.0f / 65535.0f * 4.0f - 1.0f) * 2.0f);
    EXPECT_EQ(back[0].normals[3], -2.0f);
    EXPECT_EQ(back[0].colours[1], 1.0f);
    EXPECT_EQ(back[0].indices, part.indices);
}

}  // namespace
