#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "formats/objb.h"
#include "mesh_fixture.h"
#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void expectSameMesh(const ObjbMesh& a, const ObjbMesh& b) {
    ASSERT_EQ(a.parts.size(), b.parts.size());
    EXPECT_EQ(a.hasColours, b.hasColours);
    EXPECT_EQ(a.hasNormals, b.hasNormals);
    for (size_t p = 0; p < a.parts.size(); ++p) {
        EXPECT_EQ(a.parts[p].positions, b.parts[p].positions) << p;
        EXPECT_EQ(a.parts[p].normals, b.parts[p].normals) << p;
        EXPECT_EQ(a.parts[p].colours, b.parts[p].colours) << p;
        EXPECT_EQ(a.parts[p].indices, b.parts[p].indices) << p;
    }
}

TEST(Objb, RoundTripsAndHasTheDocumentedLayout) {
    testsupport::TempDir dir;
    const std::string path = dir.file("mesh.objb");
    ObjbMesh mesh = fixture::twoParts();
    ASSERT_TRUE(writeObjb(path, mesh));
    // 12 header bytes; part 0: 8 + 3 x 36 + 12; part 1: 8 + 3 x 48 + 24.
    std::vector<uint8_t> bytes = fileBytes(path);
    EXPECT_EQ(bytes.size(), 12u + 8 + 108 + 12 + 8 + 144 + 24);
    int32_t header[5];
    std::memcpy(header, bytes.data(), sizeof header);
    EXPECT_EQ(header[0], 2);  // parts
    EXPECT_EQ(header[1], 1);  // colour flag
    EXPECT_EQ(header[2], 1);  // normal flag
    EXPECT_EQ(header[3], 3);  // V of part 0
    EXPECT_EQ(header[4], 3);  // I of part 0

    ObjbMesh back;
    std::string error;
    ASSERT_TRUE(readObjb(path, back, error)) << error;
    expectSameMesh(mesh, back);
}

// The flags count only when they are exactly 1; absent arrays are not in the file.
TEST(Objb, FlagsTable) {
    struct Case {
        const char* name;
        int32_t colourFlag, normalFlag;
        bool colours, normals;
    };
    const Case cases[] = {
        {"both 0", 0, 0, false, false},
        {"colours only", 1, 0, true, false},
        {"normals only", 0, 1, false, true},
        {"a flag of 2 is absent", 2, 2, false, false},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        ObjbMesh mesh = fixture::twoParts();
        mesh.hasColours = c.colours;
        mesh.hasNormals = c.normals;
        const std::string path = dir.file("flags.objb");
        ASSERT_TRUE(writeObjb(path, mesh)) << c.name;
        std::vector<uint8_t> bytes = fileBytes(path);
        std::memcpy(bytes.data() + 4, &c.colourFlag, 4);
        std::memcpy(bytes.data() + 8, &c.normalFlag, 4);
        ObjbMesh back;
        std::string error;
        ASSERT_TRUE(parseObjb(bytes.data(), bytes.size(), path, back, error)) << c.name << ": " << error;
        EXPECT_EQ(back.hasColours, c.colours) << c.name;
        EXPECT_EQ(back.hasNormals, c.normals) << c.name;
        EXPECT_EQ(back.parts[1].positions, mesh.parts[1].positions) << c.name;
        EXPECT_EQ(back.parts[1].indices, mesh.parts[1].indices) << c.name;
        EXPECT_EQ(back.parts[1].normals.empty(), !c.normals) << c.name;
        EXPECT_EQ(back.parts[1].colours.empty(), !c.colours) << c.name;
    }
}

TEST(Objb, WriterRefusesMalformedMeshes) {
    testsupport::TempDir dir;
    ObjbMesh badIndex = fixture::twoParts();
    badIndex.parts[0].indices[2] = 3;
    ObjbMesh missingNormals = fixture::twoParts();
    missingNormals.parts[1].normals.clear();
    ObjbMesh tooMany;
    tooMany.parts.resize(201);
    EXPECT_FALSE(writeObjb(dir.file("a.objb"), badIndex));
    EXPECT_FALSE(writeObjb(dir.file("b.objb"), missingNormals));
    EXPECT_FALSE(writeObjb(dir.file("c.objb"), tooMany));
}

}  // namespace
