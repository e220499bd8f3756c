#version 430 compatibility
// The town's occlusion pass: the night sky image behind the roofs, shaken with the camera.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"
#include "../common/scan.glsl"
#include "../common/scan_post.glsl"

uniform sampler2D MyTextureSky;
uniform vec3 resolution;
uniform float RePosX;
uniform float RePosY;

vec3 scanBackground(vec2 uv, vec2 size) {
    float aspect = resolution.x / max(resolution.y, 1.0);
    vec3 dir = viewRay(uv, aspect, 25.0);
    // The shake moves the camera by fractions of a metre; the sky moves a little with it.
    dir.xy += vec2(RePosX, RePosY) * 40.0;
    dir = normalize(dir);
    vec3 c = dir.y < 0.0 ? vec3(0.02, 0.022, 0.028) : nightSky(MyTextureSky, dir);
    return c + kHaze * 0.3 * exp(-abs(dir.y) * 30.0);
}
