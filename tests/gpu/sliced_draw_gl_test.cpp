#include "gpu/sliced_draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/gl_draw_util.h"
#include "gl_test_util.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

constexpr int kWidth = 32, kHeight = 8;

// Draws `count` points (or lines) that pile up on few pixels with additive blending, each
// placed and coloured from gl_VertexID, into a float target; returns the pixels.
std::vector<float> drawPile(ShaderProgram& program, GLenum mode, GLsizei count, GLsizei slice) {
    gldraw::FloatTarget target(kWidth, kHeight);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    program.use();
    sliced_draw::setSliceSize(slice);
    drawArraysSliced(mode, 3, count);
    glFinish();
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    glDisable(GL_BLEND);
    return target.read();
}

// A draw in slices, flushed between them, leaves the same pixels as one draw, for points and
// for line pairs, and its vertices carry the same gl_VertexID (the colours depend on it).
TEST(SlicedDrawGl, SlicesLeaveThePixelsOfOneDraw) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    ShaderProgram program;
    gltest::buildProgram(program, dir, "pile",
                         "#version 430 compatibility\n"
                         "out vec4 colour;\n"
                         "void main() {\n"
                         "    int id = gl_VertexID;\n"
                         "    vec2 cell = vec2(float(id % 13), float((id / 13) % 5));\n"
                         "    gl_Position = vec4((cell + 0.5) / vec2(16.0, 4.0) - 1.0, 0.0, 1.0);\n"
                         "    colour = vec4(fract(float(id) * 0.618), float(id % 7) / 7.0, 0.01 * float(id % 3), 1.0);\n"
                         "}\n",
                         "#version 430 compatibility\n"
                         "in vec4 colour;\n"
                         "void main() { gl_FragColor = colour; }\n");
    for (GLenum mode : {GLenum(GL_POINTS), GLenum(GL_LINES)}) {
        const std::vector<float> whole = drawPile(program, mode, 1000, 0);
        float sum = 0.0f;
        for (float v : whole) sum += v;
        ASSERT_GT(sum, 100.0f) << "the pile drew nothing";
        for (GLsizei slice : {2, 64, 333}) EXPECT_EQ(drawPile(program, mode, 1000, slice), whole) << "mode " << mode << ", slice " << slice;
    }
    sliced_draw::setSliceSize(sliced_draw::sliceSizeFor(reinterpret_cast<const char*>(glGetString(GL_RENDERER))));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
