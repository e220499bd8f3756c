#pragma once
// The sky cube: a cube from -h to h on each axis, textured from one picture laid out as a
// horizontal cross of 4 x 3 faces. The middle row holds -x, +y (the zenith), +x and -y; the
// column of +y (u 0.25 to 0.5) holds -z above it (v 0 to 0.3333) and +z below it (v 0.6666
// to 1). The content generator paints skybox.png in this layout.
//
//   program.use(); program.bindSampler(GL_TEXTURE_2D, 0, "MyTexture", sky.texture);
//   drawSkyCube(40.8f);   // immediate mode; culling off, since it is seen from inside

struct SkyQuad {
    float x[4], y[4], z[4];  // corners in drawing order
    float u[4], v[4];        // their texture coordinates
};

// The six faces of the cube of half-size h (pure, no GL).
void skyCubeQuads(float h, SkyQuad out[6]);
// Draws them as immediate-mode quads with texture coordinates; the caller binds program and
// texture and sets culling, blending and depth.
void drawSkyCube(float h);
