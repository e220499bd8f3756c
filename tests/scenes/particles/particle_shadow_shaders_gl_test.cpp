// The particle-shadow GLSL, installed as the show installs it, compiles and links.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

GLuint compileStage(GLenum stage, const std::string& path, std::string& log) {
    const std::string text = readText(path);
    if (text.empty()) {
        log = "cannot read " + path;
        return 0;
    }
    GLuint shader = glCreateShader(stage);
    const char* src = text.c_str();
    glShaderSource(shader, 1, &src, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    char buffer[8000] = {};
    glGetShaderInfoLog(shader, sizeof buffer - 1, nullptr, buffer);
    log = path + ": " + buffer;
    return ok ? shader : 0;
}

bool linkProgram(std::initializer_list<GLuint> shaders, std::string& log) {
    GLuint program = glCreateProgram();
    for (GLuint s : shaders) glAttachShader(program, s);
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    char buffer[8000] = {};
    glGetProgramInfoLog(program, sizeof buffer - 1, nullptr, buffer);
    log = buffer;
    return ok != 0;
}

}  // namespace

TEST(ParticleShadowShaders, ProgramsCompileAndLink) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    ASSERT_TRUE(tree.ready());
    const std::string root = tree.shaders();

    // The spellings the scene opens, through the case links.
    const std::pair<const char*, const char*> programs[] = {
        {"particleShadow/v_particles.cpp", "particleshadow/f_particles.cpp"},
        {"ParticleShadow/v_postprocess.cpp", "ParticleShadow/f_postprocessSSAO.cpp"},
        {"ParticleShadow/v_Material1.cpp", "ParticleShadow/f_Material1.cpp"},
        {"ParticleShadow/1/v_blur.cpp", "ParticleShadow/1/f_blur.cpp"},
        {"ParticleShadow/1/v_postprocess.cpp", "ParticleShadow/1/f_postprocessSSAO.cpp"},
    };
    for (const auto& [vert, frag] : programs) {
        std::string vlog, flog, plog;
        GLuint v = compileStage(GL_VERTEX_SHADER, root + "/" + vert, vlog);
        GLuint f = compileStage(GL_FRAGMENT_SHADER, root + "/" + frag, flog);
        ASSERT_NE(v, 0u) << vlog;
        ASSERT_NE(f, 0u) << flog;
        EXPECT_TRUE(linkProgram({v, f}, plog)) << vert << " + " << frag << ": " << plog;
    }
    for (const char* comp : {"ParticleShadow/ComputeShader1.cpp", "ParticleShadow/ComputeShader12.cpp",
                             "ParticleShadow/ComputeShader12Agalma.cpp"}) {
        std::string log, plog;
        GLuint c = compileStage(GL_COMPUTE_SHADER, root + "/" + comp, log);
        ASSERT_NE(c, 0u) << log;
        EXPECT_TRUE(linkProgram({c}, plog)) << comp << ": " << plog;
    }
}
