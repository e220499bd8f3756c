#pragma once
// Every program the show builds, with its source files, so that developer mode can build them
// again when a source changes on disk. Off until enable() (only --dev calls it): a bare start
// lists nothing.
//
// A rebuild compiles and links a new program from the files as they are now. When a stage
// does not compile or the program does not link, the old program stays in use and the
// compiler's message comes back; otherwise the new program's name replaces the old one where
// the show keeps it (ShaderProgram::program, or the compute system's program field).
#include <GL/glew.h>

#include <string>
#include <vector>

class ShaderProgram;

namespace program_registry {

struct Entry {
    ShaderProgram* program = nullptr;  // a vertex and fragment program, or
    GLuint* computeProgram = nullptr;  // the field holding a compute program
    std::vector<std::string> sources;  // vertex and fragment, or the compute source
};

void enable();
bool enabled();
// Called where programs are built (render thread). Listing the same program again replaces
// its sources.
void noteProgram(ShaderProgram* program, const std::string& vertexPath, const std::string& fragmentPath);
void noteCompute(GLuint* programField, const std::string& path);
const std::vector<Entry>& entries();

// Builds `entry` again from its files (render thread, GL current). False, with the compiler's
// or linker's message in `message`, when the new program is not usable; the old one stays.
bool rebuild(const Entry& entry, std::string& message);

}  // namespace program_registry
