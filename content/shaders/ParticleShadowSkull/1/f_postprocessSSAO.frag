#version 430 compatibility
// The skull's composite: the shared one with a stronger glow.
#define COMPOSITE_GLOW 0.8
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"
#include "../../common/post_composite.glsl"
