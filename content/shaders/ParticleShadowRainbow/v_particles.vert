#version 430 compatibility
// The crowd's points, placed as every particle scene places them; the scene has no light map.
#include "../common/particle_points.glsl"

void main() {
    placePoint();
    vShadow = 1.0;
}
