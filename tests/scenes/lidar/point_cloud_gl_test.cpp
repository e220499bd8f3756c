#include <gtest/gtest.h>

#include <GL/glew.h>

#include "formats/gl_draw_util.h"
#include "scenes/lidar/point_cloud.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

std::string writeCloud(const testsupport::TempDir& dir, int count) {
    const float lo[3] = {0, 0, 0}, hi[3] = {1, 2, 3};
    std::vector<uint16_t> records(size_t(count) * 4);
    for (size_t i = 0; i < records.size(); ++i) records[i] = uint16_t(i * 37);
    const std::string base = dir.file("cloud" + std::to_string(count) + ".ascbb");
    EXPECT_TRUE(writeCompressedPointCloud(base + "comp", lo, hi, records));
    return base;
}

TEST(PointCloudGL, UploadLaysOutFourFloatsOnAttributeZero) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    PointCloud cloud;
    ASSERT_TRUE(cloud.loadCompressed(writeCloud(dir, 1001)));
    const std::vector<float> decoded = cloud.points;
    cloud.upload();
    // The buffer holds the points; the decoded copy is freed, the count stays.
    EXPECT_EQ(cloud.points.capacity(), 0u);
    EXPECT_EQ(cloud.count, 1001);
    ASSERT_NE(cloud.vao, 0u);
    ASSERT_NE(cloud.vbo, 0u);
    glBindVertexArray(cloud.vao);
    GLint v = 0;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &v);
    EXPECT_EQ(v, 1);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &v);
    EXPECT_EQ(v, 4);
    for (GLuint a : {1u, 2u, 3u}) {
        glGetVertexAttribiv(a, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &v);
        EXPECT_EQ(v, 0) << a;
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, cloud.vbo);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &v);
    EXPECT_EQ(v, 1001 * 16);
    std::vector<float> back(1001 * 4);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 1001 * 16, back.data());
    EXPECT_EQ(back, decoded);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(PointCloudGL, DrawTable) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    PointCloud cloud, empty, notUploaded;
    ASSERT_TRUE(cloud.loadCompressed(writeCloud(dir, 1001)));
    ASSERT_TRUE(empty.loadCompressed(writeCloud(dir, 0)));
    cloud.upload();
    empty.upload();
    struct Case {
        const char* name;
        const PointCloud* cloud;
        float fraction;
        int asLines;
        GLuint primitives;
    };
    const Case cases[] = {
        {"0.8 of 1001 points", &cloud, 0.8f, 0, 800},
        {"all points", &cloud, 1.0f, 0, 1001},
        {"fraction 0", &cloud, 0.0f, 0, 0},
        {"as lines, odd count", &cloud, 1.0f, 1, 500},
        {"empty cloud", &empty, 1.0f, 0, 0},
        {"not uploaded", &notUploaded, 1.0f, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gldraw::primitivesOf([&] { c.cloud->draw(c.fraction, c.asLines); }), c.primitives) << c.name;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
