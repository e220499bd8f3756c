#version 430 compatibility
// The town scan. It grows out from the camera's first position over the opening seconds,
// its front glowing, as if the scan were being taken.
#include "../common/noise.glsl"
#include "../common/scan.glsl"

#define SCAN_POINT_SIZE 0.000055
#include "../common/scan_points.glsl"

uniform float effect;   // the scene time

void main() {
    float radius = 0.024 + effect * 0.012;
    scanPoint(radius - length(inPoint.xz - vec2(0.022, 0.0)));
}
