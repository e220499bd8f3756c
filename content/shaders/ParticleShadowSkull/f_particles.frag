#version 430 compatibility
#include "../common/lighting.glsl"
#include "../common/particle_sphere.glsl"
