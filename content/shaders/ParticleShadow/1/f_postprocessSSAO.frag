#version 430 compatibility
// The composite: the picture, its glow from the quarter-size blur, a vignette and grain.
#include "../../common/glow_composite.glsl"
