#pragma once
// ShaderProgram: a vertex and a fragment shader linked into one program, with uniform
// setters that look the location up by name on every call.
//
//   ShaderProgram post;                       // in the scene, not loaded yet
//   post.build("../shaders/x/v_post.cpp", "../shaders/x/f_post.cpp");  // render thread
//   post.use();
//   post.setFloat("ttime", t);
//   post.bindSampler(GL_TEXTURE_2D, 1, "TextureBlur", blurTexture);
//
// Compile logs are printed in full; one that contains "error" gets a red banner. Link status
// is not checked: a program that fails to link keeps its name and draws nothing useful.
// Nothing is ever deleted: the GL objects live until the context ends.
#include <GL/glew.h>

#include <string>

class ShaderProgram {
public:
    ShaderProgram() = default;

    // Compiles both stages (vertex first), creates the program, attaches and links.
    void build(const std::string& vertexPath, const std::string& fragmentPath);
    void use() const;
    void unuse() const;

    // None of the setters makes the program current: call use() first. A name that the
    // program lacks has location -1, which the GL ignores.
    void setFloat(const std::string& name, float value) const;
    void setVec3(const std::string& name, float x, float y, float z) const;
    void setMat4(const std::string& name, const float* m) const;  // 16 floats, column-major
    // Binds `texture` on unit `unit` and points the sampler `name` at it.
    // NOTE: leaves texture unit 0 active and the fixed-function matrix mode at GL_TEXTURE.
    void bindSampler(GLenum target, int unit, const std::string& name, GLuint texture) const;

    GLuint fragmentShader = 0;
    GLuint vertexShader = 0;
    GLuint program = 0;
    bool loaded = false;
};

// Compiles one stage from a source file and prints its log (see printCompileLog).
GLuint compileShaderStage(GLenum stage, const std::string& path);

// Prints a compile log as the show does: default colour; when the log contains the
// lower-case word "error", bright red and the line of asterisks first; then the log and an
// end of line; back to the default colour.
void printCompileLog(const std::string& log);

// Builds a compute program from one source file, printing "Computer shader: " and the path,
// and afterwards the compile log, always, without colour.
GLuint buildComputeProgram(const std::string& path);
