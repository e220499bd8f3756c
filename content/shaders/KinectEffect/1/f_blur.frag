#version 430 compatibility
// The quarter-size glow source: the shared disc blur of the glowing parts of the picture.
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"
#include "../../common/post_glow_blur.glsl"
