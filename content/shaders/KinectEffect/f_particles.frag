#version 430 compatibility
// The rain's points: beads that glow.
#include "../common/lighting.glsl"
#include "point_shading.glsl"

void main() {
    shadeBead(0.0, 0.03);
}
