#pragma once
// The GL state every scene starts its render from. The sequencer calls resetSceneGlState()
// before it hands a frame to a scene (Entrypoint::playFrame, which capture mode uses too), so
// a scene may rely on the list below and need not restore what it changes; nothing one scene
// leaves behind reaches the next. The present pass sets all of its own state.
//
// The list (state a scene does not find here is whatever it set last):
//   switched off   GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST, GL_ALPHA_TEST, GL_SCISSOR_TEST,
//                  GL_STENCIL_TEST, GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH,
//                  GL_VERTEX_PROGRAM_POINT_SIZE, GL_POINT_SPRITE, GL_LIGHTING,
//                  and GL_TEXTURE_2D on every fixed-function texture unit
//   texture units  active unit 0, client active unit 0
//   matrices       mode GL_MODELVIEW; modelview, projection and unit 0's texture matrix identity
//   colour         glColor (1, 1, 1, 1)
//   program        none (0)
//   arrays         no vertex array object (0), no GL_ARRAY_BUFFER, client arrays off
//                  (vertex, colour, normal, texture coordinates)
//   writes         depth mask on, colour mask on for all four channels
//   functions      depth GL_LESS, blend (GL_ONE, GL_ZERO) with GL_FUNC_ADD
//   rasterising    point size 1, line width 1, polygon mode GL_FILL on both faces
// Framebuffer, viewport, clear colour and texture bindings are not on the list: the display's
// pass operations set those.
//
// Shared textures: the display's render targets are every scene's, so their sampling
// parameters go back to what the targets are created with (resetTargetTextures): colour and
// spare textures linear and repeating, depth textures linear and clamped to the edge. A scene
// that clamps the blur for its composite, say, does not hand clamped edges to the next one.
#include <GL/glew.h>

struct RenderTarget;
class VREngine2;

// Render thread, with the show's context current.
void resetSceneGlState();
// The sampling parameters of one target's textures, as created. Leaves no texture bound on the
// active unit.
void resetTargetTextures(const RenderTarget& target);
// resetTargetTextures on every target of the display.
void resetDisplayTextures(const VREngine2& display);

namespace scene_gl_state {

// The capabilities the reset switches off, for tests (GL_TEXTURE_2D is handled per unit).
constexpr GLenum kSwitchedOff[] = {
    GL_BLEND,        GL_CULL_FACE,       GL_DEPTH_TEST,      GL_ALPHA_TEST,
    GL_SCISSOR_TEST, GL_STENCIL_TEST,    GL_POINT_SMOOTH,    GL_LINE_SMOOTH,
    GL_POLYGON_SMOOTH, GL_VERTEX_PROGRAM_POINT_SIZE, GL_POINT_SPRITE, GL_LIGHTING,
};

// The client arrays the reset switches off.
constexpr GLenum kClientArrays[] = {GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY};

}  // namespace scene_gl_state
