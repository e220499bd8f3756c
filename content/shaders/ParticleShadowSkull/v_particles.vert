#version 430 compatibility
#include "../common/particle_points.glsl"

void main() {
    placePoint();
}
