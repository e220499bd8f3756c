#version 430 compatibility
// The plate's points: beads that take part in the occlusion pass.
#include "../common/lighting.glsl"
#include "point_shading.glsl"

void main() {
    shadeBead(0.6, 0.0);
}
