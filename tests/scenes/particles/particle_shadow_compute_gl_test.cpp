// The particle-shadow compute shaders on a small grid: they initialise buffers that start
// with garbage, step every particle (the dispatch covers fewer invocations than particles),
// settle each particle on its mesh point, and hide particles whose texel no scatter reached.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <string>
#include <vector>

#include "gpu/compute_particle_system.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

constexpr int kWidth = 40;   // 2 x 2 groups of 16 x 16: 1024 invocations for 1600 particles
constexpr int kCount = kWidth * kWidth;

GLuint makeTexture2D(const std::vector<float>& rgba, int w, int h) {
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, w, h, 0, GL_RGBA, GL_FLOAT, rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return t;
}

GLuint stillAir() {
    std::vector<float> zero(4 * 4 * 4 * 3, 0.0f);
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_3D, t);
    glTexImage3D(GL_TEXTURE_3D, 0, GL_RGB16F, 4, 4, 4, 0, GL_RGB, GL_FLOAT, zero.data());
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return t;
}

std::vector<float> readBuffer(GLuint buffer) {
    std::vector<float> out(kCount * 4);
    glMemoryBarrier(GL_BUFFER_UPDATE_BARRIER_BIT);
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, out.size() * sizeof(float), out.data());
    return out;
}

void fillWithGarbage(GLuint buffer) {
    std::vector<float> junk(kCount * 4);
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = (i % 7 == 0) ? NAN : float(i % 13) * 1e6f;
    glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
    glBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, junk.size() * sizeof(float), junk.data());
}

}  // namespace

TEST(ParticleShadowCompute, ParticlesSettleOnTheirMeshPoints) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    ASSERT_TRUE(tree.ready());
    const std::string root = tree.shaders();

    // Mesh points: every fifth texel unreached (zero); the rest on a small lattice.
    std::vector<float> points(kCount * 4, 0.0f), colours(kCount * 4, 0.8f), normals(kCount * 4, 0.5f);
    for (int i = 0; i < kCount; ++i) {
        if (i % 5 == 0) continue;
        points[i * 4 + 0] = 0.001f * float(i % 11);
        points[i * 4 + 1] = 0.002f * float(i % 17) + 0.5f;
        points[i * 4 + 2] = 0.001f * float(i % 3);
    }
    const GLuint pointTex = makeTexture2D(points, kWidth, kWidth);
    const GLuint colourTex = makeTexture2D(colours, kWidth, kWidth);
    const GLuint normalTex = makeTexture2D(normals, kWidth, kWidth);
    std::vector<float> cells(16 * 16 * 4, 0.3f);
    const GLuint voronoi = makeTexture2D(cells, 16, 16);

    for (const char* name : {"ComputeShader12Agalma", "ComputeShader1", "ComputeShader12"}) {
        SCOPED_TRACE(name);
        ComputeParticleSystem system;
        system.width = system.height = kWidth;
        system.curlTexture = stillAir();
        system.voronoiTexture = voronoi;
        system.create(root + "/ParticleShadow/" + name + ".cpp");
        fillWithGarbage(system.buffer0);
        fillWithGarbage(system.buffer1);
        fillWithGarbage(system.buffer2);

        // Forty half-second steps at scene time 26 (everything gathered), then one more with a zero step.
        for (int step = 0; step <= 40; ++step) {
            system.bindForStep(26.0f, step < 40 ? 0.5f : 0.0f);
            system.bindSampler(GL_TEXTURE_2D, 16, "OriginalPositionTexture", pointTex);
            system.bindSampler(GL_TEXTURE_2D, 21, "SuperOriginalPositionTexture", pointTex);
            system.bindSampler(GL_TEXTURE_2D, 17, "OriginalColorTexture", colourTex);
            system.bindSampler(GL_TEXTURE_2D, 18, "OriginalUVTexture", normalTex);
            system.setFloat("PosY", 0.0f);
            system.setFloat("PosX", 0.0f);
            system.dispatch();
        }
        const std::vector<float> pos = readBuffer(system.buffer0);

        // Particles with the same mesh point end up at the same place, the last one in the
        // grid included (beyond the invocations of one pass).
        for (int i = 0; i < kCount; ++i) {
            ASSERT_TRUE(std::isfinite(pos[i * 4]) && std::isfinite(pos[i * 4 + 1]) && std::isfinite(pos[i * 4 + 2])) << i;
            EXPECT_EQ(pos[i * 4 + 3], i % 5 == 0 ? 0.0f : 1.0f) << "shown flag of " << i;
        }
        // The statue's particles all keep their mesh's shape: pairs with equal mesh points
        // coincide (the crowds place a figure per particle, so only the statue is checked).
        if (std::string(name) == "ComputeShader12Agalma") {
            const int a = kCount - 1, b = a - 11 * 17 * 3;  // the same lattice point, both reached
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(pos[a * 4 + c], pos[b * 4 + c], 2e-3f) << c;
        }
    }
}
