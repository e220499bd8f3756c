#include "gpu/render_target.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "gl_test_util.h"
#include "gpu/post_pass.h"
#include "support/gl_context.h"

namespace {

// Writes three known colours into the three outputs.
const char* const kThreeOutputs =
    "#version 120\n"
    "void main() {\n"
    "  gl_FragData[0] = vec4(1.0, 0.0, 0.0, 1.0);\n"
    "  gl_FragData[1] = vec4(0.0, 1.0, 0.0, 1.0);\n"
    "  gl_FragData[2] = vec4(0.0, 0.0, 1.0, 1.0);\n"
    "}\n";

// A different value in every pixel: (x, y) -> (x * 16, y * 16, 200, 255) in bytes.
const char* const kPattern =
    "#version 120\n"
    "void main() { gl_FragColor = vec4(floor(gl_FragCoord.xy) * 16.0 / 255.0, 200.0 / 255.0, 1.0); }\n";

const char* const kFloatOutput =
    "#version 120\n"
    "void main() { gl_FragData[0] = vec4(2.5, -1.0, 1000.0, 0.5); }\n";

void fillColour(GLuint texture, int w, int h, uint8_t value) {
    std::vector<uint8_t> bytes(static_cast<size_t>(w) * h * 4, value);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

void drawWith(ShaderProgram& program, int w, int h) {
    glViewport(0, 0, w, h);
    program.use();
    drawFullScreenQuad();
    program.unuse();
}

TEST(RenderTargetGl, CreateBuildsEveryImageAtTheTargetSize) {
    REQUIRE_GL_CONTEXT();
    RenderTarget t;
    t.create(40, 24, 4);
    EXPECT_EQ(t.width, 40u);
    EXPECT_EQ(t.height, 24u);
    for (GLuint texture : {t.colourTexture[0], t.colourTexture[1], t.colourTexture[2], t.spareTexture, t.depthTexture}) {
        EXPECT_EQ(gltest::textureLevelParameter(texture, GL_TEXTURE_WIDTH), 40);
        EXPECT_EQ(gltest::textureLevelParameter(texture, GL_TEXTURE_HEIGHT), 24);
    }
    for (GLuint buffer : {t.colourBuffer[0], t.colourBuffer[1], t.colourBuffer[2], t.depthBuffer}) {
        EXPECT_EQ(gltest::renderbufferParameter(buffer, GL_RENDERBUFFER_WIDTH), 40);
        EXPECT_GE(gltest::renderbufferParameter(buffer, GL_RENDERBUFFER_SAMPLES), 4);
    }
    EXPECT_EQ(gltest::renderbufferParameter(t.depthBuffer, GL_RENDERBUFFER_INTERNAL_FORMAT), GL_DEPTH_COMPONENT32);
    glBindFramebuffer(GL_FRAMEBUFFER, t.drawFramebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, t.resolveFramebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RenderTargetGl, BindForDrawingClampsTheAttachmentCount) {
    REQUIRE_GL_CONTEXT();
    RenderTarget t;
    t.create(8, 8, 2);
    struct Case { int count; int enabled; };
    const Case cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {5, 3}, {-4, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        t.bindForDrawing(c.count);
        GLint bound = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), t.drawFramebuffer);
        for (int k = 0; k < 3; ++k) {
            GLint buffer = 0;
            glGetIntegerv(GL_DRAW_BUFFER0 + k, &buffer);
            EXPECT_EQ(buffer, k < c.enabled ? GL_COLOR_ATTACHMENT0 + k : GL_NONE) << "draw buffer " << k;
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(RenderTargetGl, ResolveCopiesOnlyTheCountedAttachments) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram three;
    gltest::buildProgram(three, dir, "three", gltest::passThroughVertex(), kThreeOutputs);
    RenderTarget t;
    t.create(16, 16, 4);

    struct Case { int count; bool copied[3]; };
    const Case cases[] = {{2, {true, true, false}}, {1, {true, false, false}}, {0, {true, false, false}},
                          {3, {true, true, true}}, {7, {true, true, true}}};
    const uint8_t expected[3][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        for (GLuint texture : t.colourTexture) fillColour(texture, 16, 16, 77);
        t.bindForDrawing(3);
        drawWith(three, 16, 16);
        t.resolve(c.count, false);
        for (int k = 0; k < 3; ++k) {
            const std::vector<uint8_t> pixels = gltest::readRgba8(t.colourTexture[k], 16, 16);
            for (int channel = 0; channel < 4; ++channel) {
                const int want = c.copied[k] ? expected[k][channel] : 77;
                EXPECT_EQ(pixels[(8 * 16 + 8) * 4 + channel], want) << "texture " << k << " channel " << channel;
            }
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(RenderTargetGl, DepthIsResolvedOnlyWhenAsked) {
    REQUIRE_GL_CONTEXT();
    RenderTarget t;
    t.create(8, 8, 2);
    for (bool withDepth : {false, true}) {
        SCOPED_TRACE(withDepth);
        // Mark the depth texture with 1.0 through the resolve framebuffer, then clear the
        // drawing framebuffer's depth to 0.25 and resolve.
        glBindFramebuffer(GL_FRAMEBUFFER, t.resolveFramebuffer);
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        t.bindForDrawing(1);
        glClearDepth(0.25);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
        t.resolve(1, withDepth);
        std::vector<float> depth(64);
        glBindTexture(GL_TEXTURE_2D, t.depthTexture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        EXPECT_NEAR(depth[27], withDepth ? 0.25f : 1.0f, 1e-4f);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(RenderTargetGl, SampleCountZeroResolvesAsAStraightCopy) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram pattern;
    gltest::buildProgram(pattern, dir, "pattern", gltest::passThroughVertex(), kPattern);
    RenderTarget t;
    t.create(12, 10, 0);
    EXPECT_EQ(gltest::renderbufferParameter(t.colourBuffer[0], GL_RENDERBUFFER_SAMPLES), 0);
    t.bindForDrawing(1);
    drawWith(pattern, 12, 10);
    t.resolve(1, true);
    const std::vector<uint8_t> pixels = gltest::readRgba8(t.colourTexture[0], 12, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const uint8_t* p = &pixels[(y * 12 + x) * 4];
            ASSERT_EQ(p[0], x * 16) << x << "," << y;
            ASSERT_EQ(p[1], y * 16) << x << "," << y;
            ASSERT_EQ(p[2], 200);
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST(RenderTargetGl, FloatFlavourKeepsValuesOutsideZeroToOne) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram floats;
    gltest::buildProgram(floats, dir, "floats", gltest::passThroughVertex(), kFloatOutput);
    RenderTarget t;
    t.createFloat(4, 4, 0);
    EXPECT_EQ(gltest::textureLevelParameter(t.colourTexture[0], GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA32F);
    EXPECT_EQ(gltest::renderbufferParameter(t.colourBuffer[0], GL_RENDERBUFFER_INTERNAL_FORMAT), GL_RGBA32F);
    glClampColor(GL_CLAMP_FRAGMENT_COLOR, GL_FALSE);
    t.bindForDrawing(1);
    drawWith(floats, 4, 4);
    t.resolve(1, false);
    const std::vector<float> texels = gltest::readRgba32f(t.colourTexture[0], 4, 4);
    EXPECT_FLOAT_EQ(texels[20], 2.5f);
    EXPECT_FLOAT_EQ(texels[21], -1.0f);
    EXPECT_FLOAT_EQ(texels[22], 1000.0f);
    EXPECT_FLOAT_EQ(texels[23], 0.5f);
    glClampColor(GL_CLAMP_FRAGMENT_COLOR, GL_FIXED_ONLY);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RenderTargetGl, AttachResolveColourClampsTheIndex) {
    REQUIRE_GL_CONTEXT();
    RenderTarget t;
    t.create(8, 8, 2);
    struct Case { int index; int attachment; };
    const Case cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {7, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        t.attachResolveTextures();
        t.attachResolveColour(c.index, t.spareTexture);
        GLint name = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + c.attachment,
                                              GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        EXPECT_EQ(static_cast<GLuint>(name), t.spareTexture);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace
