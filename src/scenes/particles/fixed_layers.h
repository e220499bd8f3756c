#pragma once
// Immediate-mode layers drawn with the fixed-style programs (the engine's colorProgram and
// textureProgram, and the scenes' black and textured programs): a vertex goes through
// "MV" x "Local", with its colour and first texture coordinate. These helpers set the two
// matrices and feed the vertices; blending and depth writes are the caller's.
//
//   beginFixedLayer(*engine->colorProgram, engine->mvpMatrix, nullptr);
//   drawColouredVertices(GL_LINES, glints, count);
//   beginFixedLayer(blackProgram, kIdentity, nullptr);     // clip space: a fade
//   drawClipQuad(0, 0, 0, 0.8f);
#include <GL/glew.h>

#include "common/mat4.h"
#include "common/tvector.h"

class ShaderProgram;

struct ColouredVertex {
    float x, y, z;
    float r, g, b, a;
};

// Makes `program` current with "MV" = mv and "Local" = local (the identity when null).
void beginFixedLayer(ShaderProgram& program, const float* mv, const float* local);

// The vertices as one batch of `mode` (GL_POINTS, GL_LINES, GL_QUADS, ...), fed from a
// stream buffer as position and colour arrays. The vertex array and array buffer bindings are
// left as found, and the current colour is the last vertex's, as after glBegin/glEnd.
void drawColouredVertices(GLenum mode, const ColouredVertex* vertices, int count);

// A quad over the whole view at the near end of the depth range, in clip space (draw it with
// "MV" and "Local" the identity), in one colour. With depth testing on it covers everything.
void drawClipQuad(float r, float g, float b, float a);

// A quad facing the eye: centred on `centre`, `halfWidth` x `halfHeight`, texture coordinates
// 0..1 from the lower left, in one colour.
void drawBillboard(const TVector& eye, const TVector& centre, float halfWidth, float halfHeight,
                   float r, float g, float b, float a);

// A horizontal quad at height y over [x0, x1] x [z0, z1], texture coordinates (x, z) / tile.
void drawGroundQuad(float x0, float z0, float x1, float z1, float y, float tile, float r, float g,
                    float b, float a);

// The identity, for "Local" and clip-space layers.
extern const float kIdentityMatrix[16];
