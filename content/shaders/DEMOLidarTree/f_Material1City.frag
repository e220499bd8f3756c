#version 430 compatibility
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"
#include "points_fragment.glsl"
