#version 430 compatibility
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"
#include "../../common/post_glow_blur.glsl"
