#version 430 compatibility
#include "../common/lighting.glsl"
#include "lidar_tree.glsl"
#include "scan_point_fragment.glsl"
