#include "gpu/program_registry.h"

#include <algorithm>
#include <optional>

#include "gpu/shader_program.h"
#include "gpu/shader_source.h"

namespace program_registry {

namespace {

bool on = false;            // set before the render thread starts
std::vector<Entry> listed;  // render thread only

std::string infoLog(GLuint object, bool program) {
    GLint length = 0;
    if (program) {
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    } else {
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    }
    std::string text(static_cast<size_t>(std::max(length, 1)), '\0');
    GLsizei written = 0;
    if (program) {
        glGetProgramInfoLog(object, length, &written, text.data());
    } else {
        glGetShaderInfoLog(object, length, &written, text.data());
    }
    text.resize(static_cast<size_t>(std::max(written, 0)));
    return text;
}

// A compiled stage, or 0 with the reason in `message`.
GLuint compile(GLenum stage, const std::string& path, std::string& message) {
    const std::optional<std::string> text = loadShaderSource(path);
    if (!text) {
        message = path + ": cannot be read";
        return 0;
    }
    const GLuint shader = glCreateShader(stage);
    const GLchar* source = text->c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    message = path + ": " + infoLog(shader, false);
    glDeleteShader(shader);
    return 0;
}

}  // namespace

void enable() { on = true; }
bool enabled() { return on; }

void noteProgram(ShaderProgram* program, const std::string& vertexPath, const std::string& fragmentPath) {
    if (!on) return;
    for (Entry& e : listed) {
        if (e.program == program) {
            e.sources = {vertexPath, fragmentPath};
            return;
        }
    }
    listed.push_back({program, nullptr, {vertexPath, fragmentPath}});
}

void noteCompute(GLuint* programField, const std::string& path) {
    if (!on) return;
    for (Entry& e : listed) {
        if (e.computeProgram == programField) {
            e.sources = {path};
            return;
        }
    }
    listed.push_back({nullptr, programField, {path}});
}

const std::vector<Entry>& entries() { return listed; }

bool rebuild(const Entry& entry, std::string& message) {
    std::vector<GLuint> stages;
    const bool compute = entry.computeProgram != nullptr;
    const GLenum kinds[2] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER};
    for (size_t i = 0; i < entry.sources.size(); ++i) {
        const GLuint s = compile(compute ? GL_COMPUTE_SHADER : kinds[std::min<size_t>(i, 1)], entry.sources[i], message);
        if (s == 0) {
            for (GLuint done : stages) glDeleteShader(done);
            return false;
        }
        stages.push_back(s);
    }
    const GLuint program = glCreateProgram();
    for (GLuint s : stages) glAttachShader(program, s);
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        message = "link: " + infoLog(program, true);
        glDeleteProgram(program);
        for (GLuint s : stages) glDeleteShader(s);
        return false;
    }
    // NOTE: the old program is kept, not deleted: a scene may still hold its name for this
    // frame's draws (the GL would keep it alive while current anyway).
    if (compute) {
        *entry.computeProgram = program;
    } else {
        entry.program->program = program;
        entry.program->vertexShader = stages[0];
        entry.program->fragmentShader = stages.size() > 1 ? stages[1] : 0;
    }
    return true;
}

}  // namespace program_registry
