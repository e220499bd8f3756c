#include "gpu/point_buffer.h"

#include <algorithm>

#include "gpu/sliced_draw.h"

void createPointBuffer(PointBuffer& buffer, int32_t count) {
    buffer.capacity = std::max(count, 0);
    buffer.count = 0;
    if (buffer.vao == 0) glGenVertexArrays(1, &buffer.vao);
    glBindVertexArray(buffer.vao);
    if (buffer.vbo == 0) glGenBuffers(1, &buffer.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(buffer.capacity) * 16, nullptr, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    glDisableVertexAttribArray(3);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void fillPointBuffer(PointBuffer& buffer, const float* xyzw, int32_t count) {
    const int32_t n = std::clamp(count, 0, buffer.capacity);
    buffer.count = n;
    if (buffer.vbo == 0 || n == 0 || xyzw == nullptr) return;
    glBindBuffer(GL_ARRAY_BUFFER, buffer.vbo);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(n) * 16, xyzw);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void drawPointBuffer(const PointBuffer& buffer, float fraction, int asLines) {
    if (buffer.vao == 0) return;
    const int32_t n = pointDrawCount(buffer.count, fraction);
    if (n <= 0) return;
    glBindVertexArray(buffer.vao);
    drawArraysSliced(asLines ? GL_LINES : GL_POINTS, 0, n);
    glBindVertexArray(0);
}

int32_t pointDrawCount(int32_t count, float fraction) {
    float n = static_cast<float>(count) * fraction;
    if (!(n > 0.0f)) return 0;
    if (n >= static_cast<float>(count)) return count;
    return static_cast<int32_t>(n);
}
