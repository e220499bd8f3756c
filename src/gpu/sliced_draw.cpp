#include "gpu/sliced_draw.h"

#include <atomic>
#include <cstring>

namespace sliced_draw {

namespace {
// -1 until known. Atomic: the tests' contexts and the show's render thread both ask.
std::atomic<GLsizei> g_slice{-1};
}  // namespace

GLsizei sliceSizeFor(const char* renderer) {
    if (renderer == nullptr) return 0;
    return std::strstr(renderer, "llvmpipe") != nullptr || std::strstr(renderer, "softpipe") != nullptr
               ? kSoftwareSlice
               : 0;
}

GLsizei sliceSize() {
    GLsizei slice = g_slice.load(std::memory_order_relaxed);
    if (slice < 0) {
        slice = sliceSizeFor(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
        g_slice.store(slice, std::memory_order_relaxed);
    }
    return slice;
}

void setSliceSize(GLsizei vertices) {
    g_slice.store(vertices <= 0 ? 0 : vertices + (vertices & 1), std::memory_order_relaxed);
}

std::vector<Range> slices(GLint first, GLsizei count, GLsizei slice) {
    std::vector<Range> out;
    forEachSlice(first, count, slice, [&out](GLint f, GLsizei n) { out.push_back({f, n}); });
    return out;
}

}  // namespace sliced_draw

void drawArraysSliced(GLenum mode, GLint first, GLsizei count) {
    sliced_draw::forEachSlice(first, count, sliced_draw::sliceSize(), [mode, first](GLint f, GLsizei n) {
        if (f != first) glFinish();
        glDrawArrays(mode, f, n);
    });
}
