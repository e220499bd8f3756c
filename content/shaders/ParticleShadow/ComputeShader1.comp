#version 430 compatibility
// Crowd A: walks toward +z.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#define CROWD_DIRECTION 1.0
#define CROWD_SEED 101u
#define CROWD_SPEED 0.97
#include "crowd.glsl"
