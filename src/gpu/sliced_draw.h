#pragma once
// Big point draws, in slices.
//
// NOTE: Mesa's software rasteriser (llvmpipe) bins every primitive of a draw before its
// threads rasterise them, at about 200 bytes a point, and a flush only queues the binned scene
// and starts another: a frame of the boat's 6.5 million points held about 1.5 GiB of bins.
// Drawn in slices that each wait for the one before (glFinish), the bins of one slice (about
// 50 MB) are reused by the next. A boat frame then peaks 0.75 GiB lower and takes 0.8-0.9x the
// time (the bins stay warm in the cache); slices of 2^18 and 2^20 points measured the same.
// The pixels do not change: the same primitives in the same order, with gl_VertexID counting
// from `first` as in one draw. A hardware driver needs none of this and draws in one call.
#include <GL/glew.h>

#include <vector>

namespace sliced_draw {

// Vertices a slice on a software rasteriser: even, so that line pairs stay whole.
constexpr GLsizei kSoftwareSlice = 1 << 18;

// The slice size for a renderer named `renderer` (GL_RENDERER): kSoftwareSlice for Mesa's
// software rasterisers, 0 (one draw) for everything else.
GLsizei sliceSizeFor(const char* renderer);

// The slice size in use: set by `setSliceSize`, else found from the current context's
// renderer on first use.
GLsizei sliceSize();
void setSliceSize(GLsizei vertices);  // 0: one draw; an odd size is rounded up to even

struct Range {
    GLint first;
    GLsizei count;
    bool operator==(const Range& o) const { return first == o.first && count == o.count; }
};
// Calls fn(first, count) for each draw that makes up `count` vertices from `first` in slices
// of `slice` vertices (0: one draw).
template <typename Fn>
void forEachSlice(GLint first, GLsizei count, GLsizei slice, Fn&& fn) {
    if (count <= 0) return;
    if (slice <= 0) slice = count;
    for (GLsizei done = 0; done < count; done += slice) fn(first + done, count - done < slice ? count - done : slice);
}
// The same draws, as a list.
std::vector<Range> slices(GLint first, GLsizei count, GLsizei slice);

}  // namespace sliced_draw

// glDrawArrays(mode, first, count), in slices with a glFinish between them (see above).
void drawArraysSliced(GLenum mode, GLint first, GLsizei count);
