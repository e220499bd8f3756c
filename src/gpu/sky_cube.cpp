#include "gpu/sky_cube.h"

#include <GL/glew.h>

namespace {

// The cross's rows are not quite thirds: the picture is addressed at these v values.
constexpr float kRowV[4] = {0.0f, 0.3333f, 0.6666f, 1.0f};

struct Face {
    int column, row;
    // Direction of face coordinates (s, t) in -1..1, t down the picture: each axis is
    // sign * (s, t or the face's constant 1).
    int axisX, axisY, axisZ;   // 0: s, 1: t, 2: the constant
    float signX, signY, signZ;
};

// The same table as the generator's crossDirection: face pixel (s, t) -> direction.
constexpr Face kFaces[6] = {
    {0, 1, 2, 0, 1, -1.0f, 1.0f, 1.0f},   // -x: (-1, s, t)
    {1, 1, 0, 2, 1, 1.0f, 1.0f, 1.0f},    // +y: (s, 1, t)
    {2, 1, 2, 0, 1, 1.0f, -1.0f, 1.0f},   // +x: (1, -s, t)
    {3, 1, 0, 2, 1, -1.0f, -1.0f, 1.0f},  // -y: (-s, -1, t)
    {1, 0, 0, 1, 2, 1.0f, 1.0f, -1.0f},   // -z: (s, t, -1)
    {1, 2, 0, 1, 2, 1.0f, -1.0f, 1.0f},   // +z: (s, -t, 1)
};

}  // namespace

void skyCubeQuads(float h, SkyQuad out[6]) {
    static const float kS[4] = {-1.0f, 1.0f, 1.0f, -1.0f};
    static const float kT[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
    for (int f = 0; f < 6; ++f) {
        const Face& face = kFaces[f];
        for (int c = 0; c < 4; ++c) {
            const float st[3] = {kS[c], kT[c], 1.0f};
            out[f].x[c] = face.signX * st[face.axisX] * h;
            out[f].y[c] = face.signY * st[face.axisY] * h;
            out[f].z[c] = face.signZ * st[face.axisZ] * h;
            out[f].u[c] = 0.25f * static_cast<float>(face.column) + (kS[c] > 0.0f ? 0.25f : 0.0f);
            out[f].v[c] = kT[c] > 0.0f ? kRowV[face.row + 1] : kRowV[face.row];
        }
    }
}

void drawSkyCube(float h) {
    SkyQuad quads[6];
    skyCubeQuads(h, quads);
    glBegin(GL_QUADS);
    for (const SkyQuad& q : quads)
        for (int c = 0; c < 4; ++c) {
            glTexCoord2f(q.u[c], q.v[c]);
            glVertex3f(q.x[c], q.y[c], q.z[c]);
        }
    glEnd();
}
