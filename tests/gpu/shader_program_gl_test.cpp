#include <GL/glew.h>
#include <gtest/gtest.h>

#include "gl_test_util.h"
#include "gpu/shader_program.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

const char* const kFragment =
    "#version 120\n"
    "uniform float ttime;\n"
    "uniform vec3 tint;\n"
    "uniform mat4 shade;\n"
    "uniform sampler2D Texture1;\n"
    "void main() { gl_FragColor = texture2D(Texture1, gl_TexCoord[0].xy) * vec4(tint, ttime) + shade[1]; }\n";

const std::string kDashes = "------------------------------------ \n";

TEST(ShaderProgramGl, BuildPrintsTheLoadingLinesAndLinks) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string vertex = dir.file("v_post.cpp"), fragment = dir.file("f_post.cpp");
    gltest::writeText(vertex, gltest::passThroughVertex());
    gltest::writeText(fragment, kFragment);

    ShaderProgram program;
    EXPECT_FALSE(program.loaded);
    testing::internal::CaptureStdout();
    program.build(vertex, fragment);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_TRUE(program.loaded);
    // A clean compile has an empty log: an empty line, then two more.
    EXPECT_EQ(out, "Vertex loading:" + vertex + "\n" + kDashes + "\n\n\n" + "Fragment loading" + fragment + "\n" +
                       kDashes + "\n\n\n");
    GLint linked = 0;
    glGetProgramiv(program.program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLint attached = 0;
    glGetProgramiv(program.program, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 2);
}

TEST(ShaderProgramGl, MissingSourceCompilesAnEmptyStageAndLogsIt) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string vertex = dir.file("v_post.cpp");
    gltest::writeText(vertex, gltest::passThroughVertex());

    ShaderProgram program;
    testing::internal::CaptureStdout();
    program.build(vertex, dir.file("f_missing.cpp"));
    const std::string out = testing::internal::GetCapturedStdout();

    GLint compiled = GL_TRUE;
    glGetShaderiv(program.fragmentShader, GL_COMPILE_STATUS, &compiled);
    EXPECT_EQ(compiled, GL_FALSE);
    GLint logLength = 0;
    glGetShaderiv(program.fragmentShader, GL_INFO_LOG_LENGTH, &logLength);
    EXPECT_GT(logLength, 1);
    EXPECT_NE(out.find("Fragment loading" + dir.file("f_missing.cpp")), std::string::npos);
    EXPECT_NE(program.program, 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderProgramGl, BrokenSourceGetsTheBanner) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    gltest::writeText(dir.file("v_bad.cpp"), gltest::passThroughVertex());
    gltest::writeText(dir.file("f_bad.cpp"), "#version 120\nvoid main() { gl_FragColor = undefinedThing; }\n");
    ShaderProgram program;
    testing::internal::CaptureStdout();
    program.build(dir.file("v_bad.cpp"), dir.file("f_bad.cpp"));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("******************************** ERROR **************************\n"), std::string::npos)
        << out;
}

TEST(ShaderProgramGl, SettersReachTheProgramAndUnknownNamesChangeNothing) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram program;
    gltest::buildProgram(program, dir, "set", gltest::passThroughVertex(), kFragment);
    program.use();

    const float shade[16] = {0, 0, 0, 0, 0.1f, 0.2f, 0.3f, 0.4f, 0, 0, 0, 0, 0, 0, 0, 1};
    program.setFloat("ttime", 0.75f);
    program.setVec3("tint", 0.5f, 0.25f, 1.0f);
    program.setMat4("shade", shade);
    program.setFloat("notInTheProgram", 9.0f);
    program.setVec3("norThis", 9.0f, 9.0f, 9.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    float value[16] = {};
    glGetUniformfv(program.program, glGetUniformLocation(program.program, "ttime"), value);
    EXPECT_FLOAT_EQ(value[0], 0.75f);
    glGetUniformfv(program.program, glGetUniformLocation(program.program, "tint"), value);
    EXPECT_FLOAT_EQ(value[0], 0.5f);
    EXPECT_FLOAT_EQ(value[1], 0.25f);
    EXPECT_FLOAT_EQ(value[2], 1.0f);
    glGetUniformfv(program.program, glGetUniformLocation(program.program, "shade"), value);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(value[i], shade[i]);
    program.unuse();
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0);
}

TEST(ShaderProgramGl, BindSamplerLeavesUnitZeroActive) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram program;
    gltest::buildProgram(program, dir, "sampler", gltest::passThroughVertex(), kFragment);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    program.use();
    for (int unit : {0, 5, 31}) {
        SCOPED_TRACE(unit);
        glActiveTexture(GL_TEXTURE7);
        program.bindSampler(GL_TEXTURE_2D, unit, "Texture1", texture);
        GLint active = 0, mode = 0, bound = 0, sampler = -1;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(active, GL_TEXTURE0);
        EXPECT_EQ(mode, GL_TEXTURE);
        glActiveTexture(GL_TEXTURE0 + unit);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glActiveTexture(GL_TEXTURE0);
        EXPECT_EQ(static_cast<GLuint>(bound), texture);
        glGetUniformiv(program.program, glGetUniformLocation(program.program, "Texture1"), &sampler);
        EXPECT_EQ(sampler, unit);
    }
    program.bindSampler(GL_TEXTURE_2D, 4, "noSuchSampler", texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    program.unuse();
    glMatrixMode(GL_MODELVIEW);
    for (int unit = 0; unit < 32; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glActiveTexture(GL_TEXTURE0);
    glDeleteTextures(1, &texture);
}

TEST(ComputeProgramGl, PrintsThePathAndTheLogAlways) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const std::string path = dir.file("ComputeShader1.cpp");
    gltest::writeText(path, "#version 430\nlayout(local_size_x = 1) in;\nvoid main() {}\n");
    testing::internal::CaptureStdout();
    const GLuint program = buildComputeProgram(path);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Computer shader: " + path + "\n\n");
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);

    gltest::writeText(path, "#version 430\nlayout(local_size_x = 1) in;\nvoid main() { error_here; }\n");
    testing::internal::CaptureStdout();
    buildComputeProgram(path);
    const std::string broken = testing::internal::GetCapturedStdout();
    EXPECT_EQ(broken.find("*****"), std::string::npos);  // no banner for compute programs
    EXPECT_GT(broken.size(), ("Computer shader: " + path + "\n\n").size());
}

}  // namespace
