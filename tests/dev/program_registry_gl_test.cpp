#include "gpu/program_registry.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "gpu/compute_particle_system.h"
#include "gpu/shader_program.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

const char* const kVertex = "#version 120\nvoid main() { gl_Position = ftransform(); }\n";
std::string fragment(const char* colour) {
    return std::string("#version 120\nvoid main() { gl_FragColor = vec4(") + colour + "); }\n";
}
const char* const kCompute = "#version 430\nlayout(local_size_x = 16, local_size_y = 16) in;\nvoid main() {}\n";

// A program built through the kit is listed; an edit that compiles replaces it, a broken edit
// keeps the old one and gives the compiler's message.
TEST(ProgramRegistryGl, RebuildTakesAGoodEditAndKeepsTheOldProgramOnABadOne) {
    REQUIRE_GL_CONTEXT();
    program_registry::enable();
    testsupport::TempDir dir;
    const std::string v = dir.file("v_t.cpp");
    const std::string f = dir.file("f_t.cpp");
    write(v, kVertex);
    write(f, fragment("1.0, 0.0, 0.0, 1.0"));
    ShaderProgram program;
    testing::internal::CaptureStdout();
    program.build(v, f);
    testing::internal::GetCapturedStdout();
    const program_registry::Entry* entry = nullptr;
    for (const program_registry::Entry& e : program_registry::entries())
        if (e.program == &program) entry = &e;
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->sources, (std::vector<std::string>{v, f}));

    const GLuint first = program.program;
    write(f, fragment("0.0, 1.0, 0.0, 1.0"));
    std::string message;
    ASSERT_TRUE(program_registry::rebuild(*entry, message)) << message;
    EXPECT_NE(program.program, first);
    GLint linked = 0;
    glGetProgramiv(program.program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);

    const GLuint good = program.program;
    write(f, "#version 120\nvoid main() { gl_FragColor = nonsense; }\n");
    EXPECT_FALSE(program_registry::rebuild(*entry, message));
    EXPECT_EQ(program.program, good);
    EXPECT_NE(message.find(f), std::string::npos) << message;
    EXPECT_NE(message.find("nonsense"), std::string::npos) << message;

    // A compute system's program field is rebuilt in place too.
    const std::string c = dir.file("ComputeShader1.cpp");
    write(c, kCompute);
    ComputeParticleSystem system;
    system.width = system.height = 16;
    testing::internal::CaptureStdout();
    system.create(c);
    testing::internal::GetCapturedStdout();
    const program_registry::Entry* computeEntry = nullptr;
    for (const program_registry::Entry& e : program_registry::entries())
        if (e.computeProgram == &system.program) computeEntry = &e;
    ASSERT_NE(computeEntry, nullptr);
    const GLuint before = system.program;
    ASSERT_TRUE(program_registry::rebuild(*computeEntry, message)) << message;
    EXPECT_NE(system.program, before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
