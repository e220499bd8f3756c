#include "scenes/particles/fixed_layers.h"

#include "gpu/shader_program.h"

const float kIdentityMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void beginFixedLayer(ShaderProgram& program, const float* mv, const float* local) {
    program.use();
    program.setMat4("MV", mv);
    program.setMat4("Local", local ? local : kIdentityMatrix);
}

void drawColouredVertices(GLenum mode, const ColouredVertex* v, int count) {
    if (count <= 0) return;
    glBegin(mode);
    for (int i = 0; i < count; ++i) {
        glColor4f(v[i].r, v[i].g, v[i].b, v[i].a);
        glVertex3f(v[i].x, v[i].y, v[i].z);
    }
    glEnd();
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
