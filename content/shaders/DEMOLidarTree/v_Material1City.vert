#version 430 compatibility
// The park scan returns for the climax: it grows outwards from the middle as the drawn share
// rises (the file is in growth order), warmer than before, and flares as it arrives.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"
#include "city_points.glsl"

void main() {
    vec4 world = parkWorld();
    float arrive = max(1.0 - smoothstep(54.0, 56.0, ttime), 0.0) +
                   max(1.0 - smoothstep(64.5, 66.5, ttime), 0.0) * step(64.5, ttime);
    placeParkPoint(world, 1.25, 0.6);
    vColour += vec3(1.0, 0.8, 0.55) * 0.35 * arrive * hash1(uint(gl_VertexID), 5u);
    vGlow = max(vGlow, 0.5 * arrive);
}
