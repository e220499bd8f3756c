#pragma once
// RenderTarget: an off-screen target with three multisampled colour outputs and depth,
// drawn through `drawFramebuffer` and resolved by blits into plain textures, which is what
// shaders read. A fourth colour texture (`spareTexture`) receives the post-processing passes.
//
//   RenderTarget t;
//   t.create(w, h, samples);       // render thread; the display's targets are never deleted
//   t.bindForDrawing(3);           // draw up to three colour outputs and depth
//   ...
//   t.resolve(3, true);            // colourTexture[0..2] and depthTexture hold the result
//
// Framebuffer completeness is queried and not reported: an incomplete target draws nothing.
#include <GL/glew.h>

#include <cstdint>

struct RenderTarget {
    GLuint colourBuffer[3] = {};     // renderbuffers of the drawing framebuffer
    GLuint depthBuffer = 0;          // GL_DEPTH_COMPONENT32 renderbuffer
    GLuint drawFramebuffer = 0;
    GLuint resolveFramebuffer = 0;
    GLuint reserved = 0;
    GLuint spareTexture = 0;
    GLuint colourTexture[3] = {};    // resolve textures on colour attachments 0-2
    GLuint depthTexture = 0;         // resolve texture on the depth attachment
    GLuint width = 0;
    GLuint height = 0;

    // 8-bit colour (GL_RGBA8). `samples` 0 gives single-sampled storage.
    void create(GLuint w, GLuint h, GLint samples);
    // Float colour (GL_RGBA32F).
    void createFloat(GLuint w, GLuint h, GLint samples);
    // Deletes every GL object of the target and zeroes it (a one-off target, such as a bake's,
    // once it is done). Render thread; deleting names that are 0 is harmless.
    void destroy();
    // Puts colour textures 0-2 and the depth texture back on the resolve framebuffer.
    void attachResolveTextures();
    // Attaches `texture` to colour attachment `index` (clamped to 0..2) of the resolve framebuffer.
    void attachResolveColour(int index, GLuint texture);
    // Binds the drawing framebuffer with colour attachments 0 .. count-1 (count clamped to 1..3).
    void bindForDrawing(int count);
    // Blits colour attachments 0 .. count-1 (count clamped to 1..3; 0 with GL_LINEAR, the rest
    // GL_NEAREST) and optionally depth from the drawing to the resolve framebuffer.
    // Framebuffer bindings are left as the blit set them.
    void resolve(int count, bool withDepth);
};

namespace render_target {

// Colour attachment count as the target operations clamp it: 1..3.
int clampColourCount(int count);
// Colour attachment index as attachResolveColour clamps it: 0..2.
int clampColourIndex(int index);
// trunc(1.5 * size), computed in double precision.
GLuint wideExtent(GLuint size);
// size / 4 (an unsigned shift by two).
GLuint quarterExtent(GLuint size);

}  // namespace render_target
