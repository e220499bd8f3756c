#pragma once
// Small helpers for the GL tests of the GPU and display folders: programs from inline GLSL
// (written as ".cpp" files, as the show names them) and texture read-back.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "gpu/shader_program.h"
#include "support/temp_dir.h"

namespace gltest {

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A vertex shader for drawFullScreenQuad: fixed-function position and texture coordinate.
inline const char* passThroughVertex() {
    return "#version 120\n"
           "void main() { gl_TexCoord[0] = gl_MultiTexCoord0; gl_Position = ftransform(); }\n";
}

// Builds a program from inline sources, quietly (the build log goes to a captured stdout).
inline void buildProgram(ShaderProgram& program, const testsupport::TempDir& dir, const std::string& name,
                         const std::string& vertex, const std::string& fragment) {
    writeText(dir.file("v_" + name + ".cpp"), vertex);
    writeText(dir.file("f_" + name + ".cpp"), fragment);
    testing::internal::CaptureStdout();
    program.build(dir.file("v_" + name + ".cpp"), dir.file("f_" + name + ".cpp"));
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
}

// RGBA bytes of level 0 of a 2D texture.
inline std::vector<uint8_t> readRgba8(GLuint texture, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

inline std::vector<float> readRgba32f(GLuint texture, int width, int height) {
    std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}

inline GLint textureLevelParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

inline GLint renderbufferParameter(GLuint buffer, GLenum name) {
    GLint value = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, name, &value);
    return value;
}

}  // namespace gltest
