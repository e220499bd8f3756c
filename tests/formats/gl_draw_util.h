#pragma once
// Helpers for the format GL tests: counting what a draw produced, and a tiny render target.
#include <GL/glew.h>

#include <vector>

namespace gldraw {

// The primitives a draw call generates.
template <typename Draw>
GLuint primitivesOf(Draw draw) {
    GLuint query = 0, count = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
    glDeleteQueries(1, &query);
    return count;
}

// A float RGBA framebuffer of w x h, bound while the object lives.
struct FloatTarget {
    GLuint fbo = 0, colour = 0;
    int w, h;
    FloatTarget(int width, int height) : w(width), h(height) {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, w, h, 0, GL_RGBA, GL_FLOAT, nullptr);
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glViewport(0, 0, w, h);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    ~FloatTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &colour);
    }
    std::vector<float> read() const {
        std::vector<float> pixels(size_t(w) * h * 4);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_FLOAT, pixels.data());
        return pixels;
    }
};

}  // namespace gldraw
