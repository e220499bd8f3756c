#version 430 compatibility
#include "../common/lighting.glsl"
#include "../common/scan_point_fragment.glsl"
