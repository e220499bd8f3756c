#include "scenes/particles/fixed_layers.h"

#include "gpu/shader_program.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

const float kIdentityMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void beginFixedLayer(ShaderProgram& program, const float* mv, const float* local) {
    program.use();
    program.setMat4("MV", mv);
    program.setMat4("Local", local ? local : kIdentityMatrix);
}

namespace {

// Per-frame vertex batches go through one stream buffer used as a ring: each batch is written
// behind the previous ones with an unsynchronised map (the driver never waits on a draw still
// reading earlier batches), and when the ring is full it starts again on fresh storage
// (invalidating the whole buffer lets the driver hand out new memory while the old draws
// finish). The vertex array holds the position and colour arrays only, so the caller's vertex
// array state is never touched. Like the other GL objects here, it lives until the context
// ends; a different current context gets its own.
struct VertexStream {
    SDL_GLContext context = nullptr;
    GLuint vao = 0;
    GLuint vbo = 0;
    GLsizeiptr capacity = 0;
    GLsizeiptr offset = 0;
};

constexpr GLsizeiptr kStreamBytes = GLsizeiptr(4) << 20;

void drawImmediate(GLenum mode, const ColouredVertex* v, int count) {
    glBegin(mode);
    for (int i = 0; i < count; ++i) {
        glColor4f(v[i].r, v[i].g, v[i].b, v[i].a);
        glVertex3f(v[i].x, v[i].y, v[i].z);
    }
    glEnd();
}

// Writes the batch into the stream; returns its byte offset there, or -1 when it could not be
// written (the caller then draws it the slow way).
GLsizeiptr writeBatch(VertexStream& s, const ColouredVertex* v, GLsizeiptr bytes) {
    GLbitfield access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT;
    if (bytes > s.capacity) {
        s.capacity = std::max(kStreamBytes, bytes);
        glBufferData(GL_ARRAY_BUFFER, s.capacity, nullptr, GL_STREAM_DRAW);
        s.offset = 0;
    } else if (s.offset + bytes > s.capacity) {
        access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT;
        s.offset = 0;
    }
    void* dst = glMapBufferRange(GL_ARRAY_BUFFER, s.offset, bytes, access);
    if (dst == nullptr) return -1;
    std::memcpy(dst, v, size_t(bytes));
    if (glUnmapBuffer(GL_ARRAY_BUFFER) != GL_TRUE) {
        s.offset = s.capacity;  // start again on fresh storage next time
        return -1;
    }
    const GLsizeiptr at = s.offset;
    // Batches start on 64-byte boundaries.
    s.offset = (at + bytes + 63) & ~GLsizeiptr(63);
    return at;
}

}  // namespace

void drawColouredVertices(GLenum mode, const ColouredVertex* v, int count) {
    if (count <= 0) return;
    static VertexStream stream;
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    if (stream.context != context) {
        stream = VertexStream{};
        stream.context = context;
        glGenVertexArrays(1, &stream.vao);
        glGenBuffers(1, &stream.vbo);
    }

    GLint previousArray = 0;
    GLint previousBuffer = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &previousBuffer);
    glBindVertexArray(stream.vao);
    glBindBuffer(GL_ARRAY_BUFFER, stream.vbo);
    const GLsizeiptr at = writeBatch(stream, v, GLsizeiptr(count) * GLsizeiptr(sizeof(ColouredVertex)));
    if (at >= 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(ColouredVertex),
                        reinterpret_cast<const void*>(at + GLsizeiptr(offsetof(ColouredVertex, x))));
        glColorPointer(4, GL_FLOAT, sizeof(ColouredVertex),
                       reinterpret_cast<const void*>(at + GLsizeiptr(offsetof(ColouredVertex, r))));
        glDrawArrays(mode, 0, count);
    }
    glBindBuffer(GL_ARRAY_BUFFER, GLuint(previousBuffer));
    glBindVertexArray(GLuint(previousArray));
    if (at < 0) {
        drawImmediate(mode, v, count);
        return;
    }
    // As after immediate mode, the current colour is the last vertex's (an enabled colour array
    // leaves it undefined).
    const ColouredVertex& last = v[count - 1];
    glColor4f(last.r, last.g, last.b, last.a);
}

void drawClipQuad(float r, float g, float b, float a) {
    // z = -1 is the near plane; w = 1 keeps the corners where they are.
    glBegin(GL_QUADS);
    glColor4f(r, g, b, a);
    glTexCoord2f(0.0f, 0.0f);
    glVertex4f(-1.0f, -1.0f, -1.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex4f(1.0f, -1.0f, -1.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex4f(1.0f, 1.0f, -1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex4f(-1.0f, 1.0f, -1.0f, 1.0f);
    glEnd();
}

void drawBillboard(const TVector& eye, const TVector& centre, float halfWidth, float halfHeight,
                   float r, float g, float b, float a) {
    TVector toEye = eye - centre;
    toEye.normalize();
    TVector right = cross(TVector(0.0f, 1.0f, 0.0f), toEye);
    right.normalize();
    const TVector up = cross(toEye, right);
    const TVector x = right * halfWidth;
    const TVector y = up * halfHeight;
    const TVector corners[4] = {centre - x - y, centre + x - y, centre + x + y, centre - x + y};
    const float u[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    glBegin(GL_QUADS);
    glColor4f(r, g, b, a);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(u[i], v[i]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

void drawGroundQuad(float x0, float z0, float x1, float z1, float y, float tile, float r, float g,
                    float b, float a) {
    const float xs[4] = {x0, x1, x1, x0};
    const float zs[4] = {z0, z0, z1, z1};
    glBegin(GL_QUADS);
    glColor4f(r, g, b, a);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(xs[i] / tile, zs[i] / tile);
        glVertex3f(xs[i], y, zs[i]);
    }
    glEnd();
}
