#version 430 compatibility
// The park's occlusion pass: the night behind the trees.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"
#include "../common/scan.glsl"
#include "../common/scan_post.glsl"

vec3 scanBackground(vec2 uv, vec2 size) {
    return scanNightBackground(uv, size, 0.45);
}
