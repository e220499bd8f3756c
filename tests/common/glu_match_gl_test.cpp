// Our perspective and look-at against GLU's, read back from the fixed-function stack.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "common/mat4.h"
#include "support/gl_context.h"

namespace {

Mat4 readModelview() {
    Mat4 m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.m);
    return m;
}

void expectClose(const Mat4& ours, const Mat4& glu) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(ours[i], glu[i], 1e-6) << "element " << i;
}

TEST(GluMatch, Perspective) {
    REQUIRE_GL_CONTEXT();
    struct Case { double fovY, aspect, zNear, zFar; };
    const Case cases[] = {{60, 16.0 / 9.0, 0.01, 250.0}, {45, 1.0, 0.04, 60.0}, {90, 1366.0 / 768.0, 0.1, 100.0},
                          {30, 0.5, 1.0, 2.0}};
    glMatrixMode(GL_MODELVIEW);
    for (const Case& c : cases) {
        glLoadIdentity();
        gluPerspective(c.fovY, c.aspect, c.zNear, c.zFar);
        expectClose(mat4Perspective(static_cast<float>(c.fovY), static_cast<float>(c.aspect),
                                    static_cast<float>(c.zNear), static_cast<float>(c.zFar)),
                    readModelview());
    }
}

TEST(GluMatch, LookAt) {
    REQUIRE_GL_CONTEXT();
    struct Case { TVector eye, centre, up; };
    const Case cases[] = {
        {{0, 0, 5}, {0, 0, 0}, {0, 1, 0}},
        {{1.5f, 2.0f, -3.0f}, {0.2f, 0.1f, 0.3f}, {0, 1, 0}},
        {{-4, 1, 2}, {0, 0.5f, 0}, {0.1f, 1, 0.2f}},
        {{0.3f, 0.8f, 0.2f}, {0.3f, 0.1f, 0.25f}, {0, 0, 1}},
    };
    glMatrixMode(GL_MODELVIEW);
    for (const Case& c : cases) {
        glLoadIdentity();
        gluLookAt(c.eye.x, c.eye.y, c.eye.z, c.centre.x, c.centre.y, c.centre.z, c.up.x, c.up.y, c.up.z);
        expectClose(mat4LookAt(c.eye, c.centre, c.up), readModelview());
    }
    glLoadIdentity();
}

}  // namespace
