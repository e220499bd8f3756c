#pragma once
// Helpers of the post-processing chain that scenes call between the display's pass
// operations (VREngine2::beginEyePostPass ... finishEyePostPass).
#include "gpu/render_target.h"

class ShaderProgram;

// Makes `program` current and binds the target's textures: "Texture1" (colour 0) on unit 0,
// "Texture2" (colour 1) on unit 1, "Texture3" (colour 2) on unit 2, "TextureDepth" on unit 3.
void bindTargetTextures(const RenderTarget& target, ShaderProgram& program);

// One textured quad over the whole viewport with the fixed-function matrices reset.
// NOTE: leaves depth testing and face culling off and GL_TEXTURE_2D on; the begin-pass
// operations switch depth testing on again.
void drawFullScreenQuad();

// A quad from (-half, -half) to (half, half) at z = 0 with texture coordinates 0..1, in the
// current matrices and state (immediate mode).
void drawTexturedSquare(float half);
