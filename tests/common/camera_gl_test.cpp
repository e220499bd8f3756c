// setCamera builds the matrices that the fixed-function stack builds with GLU.
#include "common/camera.h"

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/glu.h>

#include "driver/data_interface.h"
#include "support/gl_context.h"

namespace {

void expectNear(const float* a, const float* b, const char* what, const char* name) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-4f * (1.0f + std::abs(b[i]))) << name << " " << what << "[" << i << "]";
}

}  // namespace

TEST(SetCamera, MatchesGlu) {
    REQUIRE_GL_CONTEXT();
    struct Case { const char* name; TVector eye, target, up; float fov, w, h; };
    const Case cases[] = {
        {"scene start", {13, 0.5f, 0}, {0, 0.5f, 0}, {0, 1, 0}, 55, 640, 360},
        {"slide", {8, 0.5f, -2.4f}, {0, 0.5f, -2.4f}, {0, 1, 0}, 55, 1366, 768},
        {"tilted up, square", {-3, 4, 7}, {1, -2, 0.5f}, {0.2f, 1, 0.1f}, 70, 512, 512},
        {"light", {-1, 19, 1}, {0, 0, 0}, {1, 0, 0}, 55, 480, 270},
    };
    Data_Interface engine;
    for (const Case& c : cases) {
        engine.viewWidth = c.w;
        engine.viewHeight = c.h;
        setCamera(&engine, c.eye, c.target, c.up, c.fov);

        float projection[16], view[16], mvp[16];
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(c.fov, c.w / c.h, 0.01, 250.0);
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(c.eye.x, c.eye.y, c.eye.z, c.target.x, c.target.y, c.target.z, c.up.x, c.up.y, c.up.z);
        glGetFloatv(GL_MODELVIEW_MATRIX, view);
        glMatrixMode(GL_PROJECTION);
        glMultMatrixf(view);
        glGetFloatv(GL_PROJECTION_MATRIX, mvp);
        glLoadIdentity();

        expectNear(engine.projectionMatrix, projection, "projection", c.name);
        expectNear(engine.viewMatrix, view, "view", c.name);
        expectNear(engine.mvpMatrix, mvp, "mvp", c.name);
    }
}
