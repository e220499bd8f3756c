#include "gpu/shader_program.h"

#include <cstdio>
#include <vector>

#include "gpu/program_registry.h"
#include "gpu/shader_source.h"
#include "platform/console.h"

namespace {

constexpr int kConsoleDefault = 7;
constexpr int kConsoleBrightRed = 12;

std::string shaderInfoLog(GLuint shader, GLsizei limit) {
    std::vector<char> buffer(static_cast<size_t>(limit) + 1, '\0');
    GLsizei length = 0;
    glGetShaderInfoLog(shader, limit, &length, buffer.data());
    if (length < 0) length = 0;
    if (length > limit) length = limit;
    return std::string(buffer.data(), static_cast<size_t>(length));
}

// NOTE: a missing source compiles as an empty one, so the driver's log names the failure;
// the GL is never handed a null text.
void compileFromFile(GLuint shader, const std::string& path) {
    const std::string text = loadShaderSource(path).value_or(std::string());
    const GLchar* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
}

void printDashedLine() { std::printf("------------------------------------ \n"); }

}  // namespace

void printCompileLog(const std::string& log) {
    platform::setConsoleTextAttribute(kConsoleDefault);
    if (log.find("error") != std::string::npos) {
        platform::setConsoleTextAttribute(kConsoleBrightRed);
        std::printf("******************************** ERROR **************************\n");
    }
    std::printf("%s\n", log.c_str());
    platform::setConsoleTextAttribute(kConsoleDefault);
}

GLuint compileShaderStage(GLenum stage, const std::string& path) {
    const GLuint shader = glCreateShader(stage);
    compileFromFile(shader, path);
    printCompileLog(shaderInfoLog(shader, 3000));
    std::printf("\n\n");
    return shader;
}

void ShaderProgram::build(const std::string& vertexPath, const std::string& fragmentPath) {
    loaded = true;
    std::printf("Vertex loading:%s\n", vertexPath.c_str());
    printDashedLine();
    vertexShader = compileShaderStage(GL_VERTEX_SHADER, vertexPath);
    std::printf("Fragment loading%s\n", fragmentPath.c_str());
    printDashedLine();
    fragmentShader = compileShaderStage(GL_FRAGMENT_SHADER, fragmentPath);
    program = glCreateProgram();
    glAttachShader(program, fragmentShader);
    glAttachShader(program, vertexShader);
    glLinkProgram(program);
    program_registry::noteProgram(this, vertexPath, fragmentPath);
}

void ShaderProgram::use() const { glUseProgram(program); }

void ShaderProgram::unuse() const { glUseProgram(0); }

void ShaderProgram::setFloat(const std::string& name, float value) const {
    glUniform1f(glGetUniformLocation(program, name.c_str()), value);
}

void ShaderProgram::setVec3(const std::string& name, float x, float y, float z) const {
    glUniform3f(glGetUniformLocation(program, name.c_str()), x, y, z);
}

void ShaderProgram::setMat4(const std::string& name, const float* m) const {
    glUniformMatrix4fv(glGetUniformLocation(program, name.c_str()), 1, GL_FALSE, m);
}

void ShaderProgram::bindSampler(GLenum target, int unit, const std::string& name, GLuint texture) const {
    const GLint location = glGetUniformLocation(program, name.c_str());
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(target, texture);
    glUniform1i(location, unit);
    glMatrixMode(GL_TEXTURE);
    glActiveTexture(GL_TEXTURE0);
}

GLuint buildComputeProgram(const std::string& path) {
    std::printf("Computer shader: %s\n", path.c_str());
    const GLuint program = glCreateProgram();
    const GLuint shader = glCreateShader(GL_COMPUTE_SHADER);
    compileFromFile(shader, path);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    glAttachShader(program, shader);
    glLinkProgram(program);
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    std::printf("%s\n", shaderInfoLog(shader, 7000).c_str());
    return program;
}
