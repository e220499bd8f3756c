#pragma once
// PointBuffer: a GPU buffer of points of four floats (x, y, z, w) in one vertex array, drawn
// as points (or as line segments of consecutive pairs) on attribute 0. The scan clouds and
// baked point sets are drawn through it.
//
//   PointBuffer b;
//   createPointBuffer(b, n);            // render thread; room for n points
//   fillPointBuffer(b, xyzw.data(), n);
//   drawPointBuffer(b, 0.8f);           // the first 80 % of the points; the caller's program
//
// Nothing is deleted: the buffer lives until the context ends.
#include <GL/glew.h>

#include <cstdint>

struct PointBuffer {
    GLuint vao = 0;
    GLuint vbo = 0;
    int32_t capacity = 0;  // points the buffer has room for
    int32_t count = 0;     // points filled
};

// Creates the vertex array and a buffer for `count` points (none when count <= 0), attribute
// 0 reading four floats per point; attributes 1-3 off.
void createPointBuffer(PointBuffer& buffer, int32_t count);
// Copies `count` points (at most the capacity) into the buffer; the rest is not drawn.
void fillPointBuffer(PointBuffer& buffer, const float* xyzw, int32_t count);
// Draws the first pointDrawCount(count, fraction) points; nothing before create.
void drawPointBuffer(const PointBuffer& buffer, float fraction, int asLines = 0);

// The number of points a draw with `fraction` draws: trunc(float(count) x fraction), within
// 0..count.
int32_t pointDrawCount(int32_t count, float fraction);
