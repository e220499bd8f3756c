#version 430 compatibility
// The town's trees: the same points, whole from the start.
#include "../common/noise.glsl"
#include "../common/scan.glsl"

#define SCAN_POINT_SIZE 0.000055
#include "../common/scan_points.glsl"

void main() {
    scanPoint(1.0);
}
