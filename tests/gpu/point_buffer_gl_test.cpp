#include "gpu/point_buffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/gl_draw_util.h"
#include "support/gl_context.h"

namespace {

// A buffer filled with fewer points than it has room for draws only those; a fill beyond the
// room is cut to it, and what reaches the GPU is the array as given.
TEST(PointBufferGL, FillsAndDrawsUpToWhatItHolds) {
    REQUIRE_GL_CONTEXT();
    std::vector<float> xyzw(12 * 4);
    for (size_t i = 0; i < xyzw.size(); ++i) xyzw[i] = static_cast<float>(i) * 0.5f;

    PointBuffer partly, overfilled, never;
    createPointBuffer(partly, 10);
    fillPointBuffer(partly, xyzw.data(), 4);
    createPointBuffer(overfilled, 10);
    fillPointBuffer(overfilled, xyzw.data(), 12);
    EXPECT_EQ(partly.count, 4);
    EXPECT_EQ(overfilled.count, 10);

    struct Case { const char* name; const PointBuffer* buffer; float fraction; int asLines; GLuint primitives; };
    const Case cases[] = {
        {"four of ten", &partly, 1.0f, 0, 4},
        {"half of four", &partly, 0.5f, 0, 2},
        {"cut to its room", &overfilled, 1.0f, 0, 10},
        {"as line pairs", &overfilled, 1.0f, 1, 5},
        {"never created", &never, 1.0f, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gldraw::primitivesOf([&] { drawPointBuffer(*c.buffer, c.fraction, c.asLines); }), c.primitives)
            << c.name;

    std::vector<float> back(10 * 4);
    glBindBuffer(GL_ARRAY_BUFFER, overfilled.vbo);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 10 * 16, back.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(back, std::vector<float>(xyzw.begin(), xyzw.begin() + 40));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(PointBuffer, DrawCount) {
    struct Case { int32_t count; float fraction; int32_t want; };
    const Case cases[] = {{1001, 0.8f, 800}, {1001, 1.0f, 1001}, {1001, 7.0f, 1001},
                          {1001, 0.0f, 0},   {1001, -1.0f, 0},  {0, 1.0f, 0}};
    for (const Case& c : cases) EXPECT_EQ(pointDrawCount(c.count, c.fraction), c.want) << c.count << " x " << c.fraction;
}

}  // namespace
