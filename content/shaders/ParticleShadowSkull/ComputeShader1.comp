#version 430 compatibility
// The bust: its particles condense out of the dust, hold, and crumble at the end.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"

const int kSubject = 0;
#include "skull.glsl"
