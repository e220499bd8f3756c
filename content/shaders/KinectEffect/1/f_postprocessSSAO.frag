#version 430 compatibility
// The composite: the picture, its glow from the quarter-size blur, a vignette and grain
// (the shared composite).
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"
#include "../../common/post_composite.glsl"
