#version 430 compatibility
// The park's trees: the same points (the scene gives this program its matrices only).
#include "../common/noise.glsl"
#include "../common/scan.glsl"

#define SCAN_POINT_SIZE 0.00007
#include "../common/scan_points.glsl"

void main() {
    scanPoint(1.0);
}
