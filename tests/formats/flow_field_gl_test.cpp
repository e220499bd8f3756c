#include <gtest/gtest.h>

#include <GL/glew.h>

#include "formats/flow_field_files.h"
#include "formats/flow_field_loader.h"
#include "formats/gl_draw_util.h"
#include "gpu/gl_test_util.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

GLint parameter(GLenum target, GLuint texture, GLenum name) {
    GLint v = 0;
    glBindTexture(target, texture);
    glGetTexParameteriv(target, name, &v);
    return v;
}

GLint level(GLenum target, GLuint texture, GLenum name) {
    GLint v = 0;
    glBindTexture(target, texture);
    glGetTexLevelParameteriv(target, 0, name, &v);
    return v;
}

// One load for the whole suite: the velocity file is 48 MiB.
class FlowFieldGL : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!testsupport::glContext()) return;
        dir = new testsupport::TempDir;
        // Velocity: x component = x index, y component = y index, z component = 1.
        std::vector<float> velocity(kVelocityFloats);
        for (int z = 0; z < kVelocitySizeZ; ++z)
            for (int y = 0; y < kVelocitySizeY; ++y)
                for (int x = 0; x < kVelocitySizeX; ++x) {
                    velocity[velocityIndex(x, y, z, 0)] = float(x);
                    velocity[velocityIndex(x, y, z, 1)] = float(y);
                    velocity[velocityIndex(x, y, z, 2)] = 1.0f;
                }
        VoronoiMap map;
        map.width = 4;
        map.height = 2;
        map.values = {0, 1000, 2000, 3000, 4000, 5000, 6000, 10000};
        ASSERT_TRUE(writeVelocityField(dir->file("velocity.dat"), velocity));
        ASSERT_TRUE(writeVoronoiMap(dir->file("voronoimap.bin"), map));
        std::string error;
        ASSERT_TRUE(tryLoadFlowField(field, dir->file("velocity.dat"), dir->file("voronoimap.bin"), error)) << error;
    }
    static void TearDownTestSuite() { delete dir; }

    // What a shader reads at `coord` from the texture on `target`.
    static std::vector<float> sample(bool volume, float s, float t, float r) {
        static ShaderProgram programs[2];
        ShaderProgram& program = programs[volume];
        if (!program.loaded) {
            gltest::buildProgram(program, *dir, volume ? "v3" : "v2",
                                 "#version 330 compatibility\nvoid main() { gl_Position = ftransform(); }\n",
                                 std::string("#version 330 compatibility\n") +
                                     (volume ? "uniform sampler3D CurlTexture;\n" : "uniform sampler2D VoronoiTexture;\n") +
                                     "uniform vec3 coord;\nout vec4 fragment;\n" +
                                     (volume ? "void main() { fragment = texture(CurlTexture, coord); }\n"
                                             : "void main() { fragment = texture(VoronoiTexture, coord.xy); }\n"));
        }
        gldraw::FloatTarget target(1, 1);
        program.use();
        program.setVec3("coord", s, t, r);
        if (volume)
            program.bindSampler(GL_TEXTURE_3D, 3, "CurlTexture", field.velocityTexture);
        else
            program.bindSampler(GL_TEXTURE_2D, 13, "VoronoiTexture", field.voronoiTexture);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glBegin(GL_QUADS);
        glVertex2f(-1, -1);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glVertex2f(-1, 1);
        glEnd();
        program.unuse();
        return target.read();
    }

    static testsupport::TempDir* dir;
    static FlowField field;
};
testsupport::TempDir* FlowFieldGL::dir = nullptr;
FlowField FlowFieldGL::field;

TEST_F(FlowFieldGL, TexturesAsTheShadersExpectThem) {
    REQUIRE_GL_CONTEXT();
    ASSERT_NE(field.velocityTexture, 0u);
    ASSERT_NE(field.voronoiTexture, 0u);
    struct Case {
        const char* name;
        GLint got, want;
    };
    const GLuint v = field.velocityTexture, m = field.voronoiTexture;
    const Case cases[] = {
        {"velocity format", level(GL_TEXTURE_3D, v, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB16F},
        {"velocity width", level(GL_TEXTURE_3D, v, GL_TEXTURE_WIDTH), 128},
        {"velocity height", level(GL_TEXTURE_3D, v, GL_TEXTURE_HEIGHT), 256},
        {"velocity depth", level(GL_TEXTURE_3D, v, GL_TEXTURE_DEPTH), 128},
        {"velocity min filter", parameter(GL_TEXTURE_3D, v, GL_TEXTURE_MIN_FILTER), GL_LINEAR},
        {"velocity mag filter", parameter(GL_TEXTURE_3D, v, GL_TEXTURE_MAG_FILTER), GL_LINEAR},
        {"velocity wrap s", parameter(GL_TEXTURE_3D, v, GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT},
        {"velocity wrap t", parameter(GL_TEXTURE_3D, v, GL_TEXTURE_WRAP_T), GL_MIRRORED_REPEAT},
        {"velocity wrap r", parameter(GL_TEXTURE_3D, v, GL_TEXTURE_WRAP_R), GL_MIRRORED_REPEAT},
        {"Voronoi format", level(GL_TEXTURE_2D, m, GL_TEXTURE_INTERNAL_FORMAT), GL_R32F},
        {"Voronoi width", level(GL_TEXTURE_2D, m, GL_TEXTURE_WIDTH), 4},
        {"Voronoi min filter", parameter(GL_TEXTURE_2D, m, GL_TEXTURE_MIN_FILTER), GL_NEAREST},
        {"Voronoi mag filter", parameter(GL_TEXTURE_2D, m, GL_TEXTURE_MAG_FILTER), GL_NEAREST},
        {"Voronoi wrap s", parameter(GL_TEXTURE_2D, m, GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT},
        {"Voronoi wrap t", parameter(GL_TEXTURE_2D, m, GL_TEXTURE_WRAP_T), GL_MIRRORED_REPEAT},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.name;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// What the shaders read: Voronoi values x 0.0001, nearest and mirrored; velocity linear and
// mirrored.
TEST_F(FlowFieldGL, SamplingTable) {
    REQUIRE_GL_CONTEXT();
    struct Case {
        const char* name;
        bool volume;
        float s, t, r;
        int channel;
        float want;
    };
    const Case cases[] = {
        {"Voronoi 10000 reads 1.0", false, 0.875f, 0.75f, 0, 0, 1.0f},
        {"Voronoi nearest texel", false, 0.30f, 0.25f, 0, 0, 0.1f},
        {"Voronoi mirrored past 1", false, 1.125f, 0.25f, 0, 0, 0.3f},  // mirrors to 0.875
        {"Voronoi mirrored below 0", false, -0.125f, 0.25f, 0, 0, 0.0f},
        {"velocity between texels", true, 10.0f / 128, 0.5f, 0.5f, 0, 9.5f},
        {"velocity at a texel", true, 20.5f / 128, 0.5f, 0.5f, 0, 20.0f},
        {"velocity mirrored past 1", true, 1.0f + 20.5f / 128, 0.5f, 0.5f, 0, 107.0f},
        {"velocity y mirrored below 0", true, 0.5f, -(10.5f / 256), 0.5f, 1, 10.0f},
    };
    for (const Case& c : cases) {
        std::vector<float> got = sample(c.volume, c.s, c.t, c.r);
        EXPECT_NEAR(got[size_t(c.channel)], c.want, c.volume ? 0.06f : 1e-6f) << c.name;
    }
}

}  // namespace
