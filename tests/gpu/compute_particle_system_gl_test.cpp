#include "gpu/compute_particle_system.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <vector>

#include "gl_test_util.h"
#include "gpu/render_target.h"
#include "support/gl_context.h"

namespace {

// Counts its invocations and records the largest id along each axis in buffer 1; writes
// every particle of buffer 0 to the centre of the view (within the grid).
const char* const kCounter =
    "#version 430\n"
    "layout(local_size_x = 16, local_size_y = 16) in;\n"
    "layout(std430, binding = 4) buffer Positions { vec4 position[]; };\n"
    "layout(std430, binding = 5) buffer Counts { uint invocations; uint maxX; uint maxY; float seen[4]; };\n"
    "uniform float ttime;\n"
    "uniform float DeltaT;\n"
    "uniform float Invocation;\n"
    "uniform sampler3D CurlTexture;\n"
    "uniform sampler2D VoronoiTexture;\n"
    "void main() {\n"
    "  atomicAdd(invocations, 1u);\n"
    "  atomicMax(maxX, gl_GlobalInvocationID.x);\n"
    "  atomicMax(maxY, gl_GlobalInvocationID.y);\n"
    "  uint index = gl_GlobalInvocationID.y * uint(Invocation) + gl_GlobalInvocationID.x;\n"
    "  if (index < uint(position.length())) position[index] = vec4(0.0, 0.0, 0.0, 1.0);\n"
    "  if (index == 0u) {\n"
    "    seen[0] = ttime; seen[1] = DeltaT; seen[2] = Invocation;\n"
    "    seen[3] = texture(CurlTexture, vec3(0.5)).x + texture(VoronoiTexture, vec2(0.5)).x;\n"
    "  }\n"
    "}\n";

struct Counts {
    GLuint invocations, maxX, maxY;
    float seen[4];
};

Counts readCounts(GLuint buffer) {
    Counts c{};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(c), &c);
    return c;
}

void zeroCounts(GLuint buffer) {
    const Counts zero{};
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, sizeof(zero), &zero);
}

ComputeParticleSystem makeSystem(const testsupport::TempDir& dir, int32_t width, int32_t height) {
    const std::string path = dir.file("ComputeShader1.cpp");
    gltest::writeText(path, kCounter);
    ComputeParticleSystem system;
    system.width = width;
    system.height = height;
    testing::internal::CaptureStdout();
    system.create(path);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.rfind("Computer shader: " + path + "\n", 0), 0u) << log;
    return system;
}

TEST(ComputeParticleSystemGl, CreateAllocatesBuffersAndImages) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const ComputeParticleSystem s = makeSystem(dir, 40, 24);
    for (GLuint buffer : {s.buffer0, s.buffer1, s.buffer2}) {
        GLint64 size = 0;
        glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
        glGetBufferParameteri64v(GL_SHADER_STORAGE_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(size, 40 * 24 * 16);
    }
    // Only the colour image is made: the positions are buffer 0 alone, and no shader declares
    // an image on unit 1; units 0 and 1 stay empty.
    EXPECT_EQ(s.image0, 0u);
    EXPECT_EQ(s.image1, 0u);
    EXPECT_EQ(gltest::textureLevelParameter(s.image2, GL_TEXTURE_WIDTH), 40);
    EXPECT_EQ(gltest::textureLevelParameter(s.image2, GL_TEXTURE_HEIGHT), 24);
    EXPECT_EQ(gltest::textureLevelParameter(s.image2, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA32F);
    const GLuint expectedImage[3] = {s.image0, s.image1, s.image2};
    for (GLuint unit = 0; unit < 3; ++unit) {
        GLint name = 0;
        glGetIntegeri_v(GL_IMAGE_BINDING_NAME, unit, &name);
        EXPECT_EQ(static_cast<GLuint>(name), expectedImage[unit]) << "image unit " << unit;
    }
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ComputeParticleSystemGl, BindForStepBindsEverythingAndLeavesUnitNine) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ComputeParticleSystem s = makeSystem(dir, 32, 32);
    s.bindForStep(12.5f, 0.25f);

    GLint active = 0, current = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(active, GL_TEXTURE9);
    EXPECT_EQ(static_cast<GLuint>(current), s.program);
    const GLuint buffers[3] = {s.buffer0, s.buffer1, s.buffer2};
    for (GLuint k = 0; k < 3; ++k) {
        GLint name = 0;
        glGetIntegeri_v(GL_SHADER_STORAGE_BUFFER_BINDING, 4 + k, &name);
        EXPECT_EQ(static_cast<GLuint>(name), buffers[k]) << "binding " << 4 + k;
    }
    GLint curl = -1, voronoi = -1;
    glGetUniformiv(s.program, glGetUniformLocation(s.program, "CurlTexture"), &curl);
    glGetUniformiv(s.program, glGetUniformLocation(s.program, "VoronoiTexture"), &voronoi);
    EXPECT_EQ(curl, 3);
    EXPECT_EQ(voronoi, 13);

    s.setFloat("noSuchUniform", 4.0f);
    s.setMat4("norThis", nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    zeroCounts(s.buffer1);
    s.dispatch();
    const Counts c = readCounts(s.buffer1);
    EXPECT_FLOAT_EQ(c.seen[0], 12.5f);
    EXPECT_FLOAT_EQ(c.seen[1], 0.25f);
    EXPECT_FLOAT_EQ(c.seen[2], 32.0f);
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
}

TEST(ComputeParticleSystemGl, BindSamplerLeavesItsUnitActive) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ComputeParticleSystem s = makeSystem(dir, 16, 16);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glUseProgram(s.program);
    s.bindSampler(GL_TEXTURE_2D, 13, "VoronoiTexture", texture);
    GLint active = 0, bound = 0, sampler = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetUniformiv(s.program, glGetUniformLocation(s.program, "VoronoiTexture"), &sampler);
    EXPECT_EQ(active, GL_TEXTURE13);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
    EXPECT_EQ(sampler, 13);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
    glDeleteTextures(1, &texture);
}

TEST(ComputeParticleSystemGl, DispatchRunsWidthOverSixteenGroupsOnBothAxes) {
    REQUIRE_GL_CONTEXT();
    struct Case { int32_t width, height; GLuint invocations; GLuint maxId; };
    const Case cases[] = {
        {1000, 1000, 992u * 992u, 991},
        {15, 15, 0, 0},
        {48, 16, 48u * 48u, 47},   // the height does not limit the y axis
        {16, 64, 16u * 16u, 15},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ComputeParticleSystem s = makeSystem(dir, c.width, c.height);
        s.bindForStep(0.0f, 0.0f);
        zeroCounts(s.buffer1);
        s.dispatch();
        const Counts counts = readCounts(s.buffer1);
        EXPECT_EQ(counts.invocations, c.invocations);
        EXPECT_EQ(counts.maxX, c.maxId);
        EXPECT_EQ(counts.maxY, c.maxId);
        EXPECT_EQ(compute_particles::groupCount(c.width), c.width / 16);
    }
    EXPECT_EQ(compute_particles::groupCount(-40), 0);
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
}

TEST(ComputeParticleSystemGl, DrawPointsReadsBufferZero) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ComputeParticleSystem s = makeSystem(dir, 16, 16);
    s.bindForStep(0.0f, 0.0f);
    zeroCounts(s.buffer1);
    s.dispatch();
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);

    RenderTarget target;
    target.create(9, 9, 0);
    target.bindForDrawing(1);
    glViewport(0, 0, 9, 9);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    for (GLenum m : {GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(m);
        glLoadIdentity();
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glPointSize(3.0f);
    s.drawPoints();
    glPointSize(1.0f);
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
    target.resolve(1, false);
    const std::vector<uint8_t> pixels = gltest::readRgba8(target.colourTexture[0], 9, 9);
    EXPECT_GT(pixels[(4 * 9 + 4) * 4], 0) << "the centre pixel stays black";
    EXPECT_EQ(pixels[0], 0) << "a corner pixel was drawn";
    GLint arrayBuffer = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
    EXPECT_EQ(arrayBuffer, 0);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace

namespace {

// The barriers and dispatches a step issues, in order, recorded through GLEW's entry points
// (the software rasteriser runs everything in order, so a missing barrier shows in no picture).
struct GlCall {
    bool dispatch;
    GLbitfield barrierBits;
};
std::vector<GlCall> g_calls;
PFNGLMEMORYBARRIERPROC g_realBarrier = nullptr;
PFNGLDISPATCHCOMPUTEPROC g_realDispatch = nullptr;

void GLAPIENTRY recordBarrier(GLbitfield bits) {
    g_calls.push_back({false, bits});
    g_realBarrier(bits);
}

void GLAPIENTRY recordDispatch(GLuint x, GLuint y, GLuint z) {
    g_calls.push_back({true, 0});
    g_realDispatch(x, y, z);
}

TEST(ComputeParticleSystemGl, DispatchEndsWithABarrierThatCoversVertexFetches) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ComputeParticleSystem s = makeSystem(dir, 16, 16);
    s.bindForStep(0.0f, 0.0f);
    g_calls.clear();
    g_realBarrier = __glewMemoryBarrier;
    g_realDispatch = __glewDispatchCompute;
    __glewMemoryBarrier = recordBarrier;
    __glewDispatchCompute = recordDispatch;
    s.dispatch();
    __glewMemoryBarrier = g_realBarrier;
    __glewDispatchCompute = g_realDispatch;
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);

    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_FALSE(g_calls[0].dispatch);
    EXPECT_NE(g_calls[0].barrierBits & GL_SHADER_STORAGE_BARRIER_BIT, 0u) << "before: earlier writes";
    EXPECT_TRUE(g_calls[1].dispatch);
    EXPECT_FALSE(g_calls[2].dispatch);
    EXPECT_NE(g_calls[2].barrierBits & GL_SHADER_STORAGE_BARRIER_BIT, 0u) << "after: storage reads";
    EXPECT_NE(g_calls[2].barrierBits & GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT, 0u) << "after: buffer 0 as vertices";
}

}  // namespace
