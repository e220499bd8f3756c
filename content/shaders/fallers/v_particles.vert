#version 430 compatibility
// The shared round points. The fallers cast no shadow: this scene draws no light map, so the
// map bound as "texture2d_depth" holds nothing of its own and is not read.
#include "../common/particle_points.glsl"

void main() {
    placePoint();
    vShadow = 1.0;
}
