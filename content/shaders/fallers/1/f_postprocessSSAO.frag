#version 430 compatibility
// The composite. "TextureDepth" is bound as well; the shared composite does not need it.
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"
#include "../../common/post_composite.glsl"
