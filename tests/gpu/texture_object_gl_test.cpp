#include <gtest/gtest.h>

#include <GL/glew.h>

#include "gpu/gl_test_util.h"
#include "gpu/texture_object.h"
#include "support/gl_context.h"

namespace {

GLint parameter(GLuint texture, GLenum name) {
    GLint v = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, name, &v);
    return v;
}

TEST(TextureObjectGL, AllocateMakesThreeTextures) {
    REQUIRE_GL_CONTEXT();
    auto t = std::make_unique<TextureObject>();
    t->allocate(5, 3);
    struct Case {
        const char* name;
        GLuint texture;
        GLint format;
        GLint redBits;
    };
    const Case cases[] = {{"positions", t->positionTexture, GL_RGBA16F, 16},
                          {"colours", t->colourTexture, GL_RGBA, 8},
                          {"normals", t->normalTexture, GL_RGB, 8}};
    for (const Case& c : cases) {
        ASSERT_NE(c.texture, 0u) << c.name;
        ASSERT_NE(c.texture, 0xFFFFFFFFu) << c.name;
        EXPECT_EQ(gltest::textureLevelParameter(c.texture, GL_TEXTURE_INTERNAL_FORMAT), c.format) << c.name;
        EXPECT_EQ(gltest::textureLevelParameter(c.texture, GL_TEXTURE_RED_SIZE), c.redBits) << c.name;
        EXPECT_EQ(gltest::textureLevelParameter(c.texture, GL_TEXTURE_WIDTH), 5) << c.name;
        EXPECT_EQ(gltest::textureLevelParameter(c.texture, GL_TEXTURE_HEIGHT), 3) << c.name;
        EXPECT_EQ(parameter(c.texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST) << c.name;
        EXPECT_EQ(parameter(c.texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST) << c.name;
        EXPECT_EQ(parameter(c.texture, GL_TEXTURE_WRAP_S), GL_REPEAT) << c.name;
        EXPECT_EQ(parameter(c.texture, GL_TEXTURE_WRAP_T), GL_REPEAT) << c.name;
    }
    EXPECT_EQ(t->randomState, 4134u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Upload puts the arrays into the textures (positions as half floats, colours and normals as
// bytes) and frees them.
TEST(TextureObjectGL, UploadFillsTheTexturesAndFreesTheArrays) {
    REQUIRE_GL_CONTEXT();
    auto t = std::make_unique<TextureObject>();
    t->allocate(5, 3);
    for (size_t i = 0; i < 15; ++i) {
        float f = float(i) / 15.0f;
        for (int c = 0; c < 4; ++c) t->positions[4 * i + size_t(c)] = f * 100.0f + float(c);
        for (int c = 0; c < 4; ++c) t->colours[4 * i + size_t(c)] = c == 3 ? 1.0f : f;
        for (int c = 0; c < 3; ++c) t->normals[3 * i + size_t(c)] = 1.0f - f;
    }
    const ZeroedFloats positions = t->positions, colours = t->colours, normals = t->normals;
    t->upload();
    EXPECT_TRUE(t->positions.empty());
    EXPECT_TRUE(t->colours.empty());
    EXPECT_TRUE(t->normals.empty());

    const std::vector<float> gotPositions = gltest::readRgba32f(t->positionTexture, 5, 3);
    const std::vector<uint8_t> gotColours = gltest::readRgba8(t->colourTexture, 5, 3);
    const std::vector<uint8_t> gotNormals = gltest::readRgba8(t->normalTexture, 5, 3);
    for (size_t i = 0; i < 15; ++i) {
        for (size_t c = 0; c < 4; ++c) {
            EXPECT_NEAR(gotPositions[4 * i + c], positions[4 * i + c], 0.07f) << i;
            EXPECT_NEAR(gotColours[4 * i + c], colours[4 * i + c] * 255.0f, 0.6f) << i;
        }
        for (size_t c = 0; c < 3; ++c) EXPECT_NEAR(gotNormals[4 * i + c], normals[3 * i + c] * 255.0f, 0.6f) << i;
    }
    t->upload();  // a second upload has nothing to send and leaves the textures alone
    EXPECT_EQ(gltest::readRgba32f(t->positionTexture, 5, 3), gotPositions);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
