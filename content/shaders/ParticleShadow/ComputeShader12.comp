#version 430 compatibility
// Crowd B: walks toward -z, through crowd A.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#define CROWD_DIRECTION -1.0
#define CROWD_SEED 202u
#define CROWD_SPEED 1.0
#include "crowd.glsl"
