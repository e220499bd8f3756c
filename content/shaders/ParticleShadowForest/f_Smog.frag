#version 430 compatibility
// The clearing's surroundings, by "object": 0 the night sky on a dome round the clearing,
// 1 the wet ground (half see-through, so the reflections drawn under it show), 2 the mist
// that drifts low over the ground (drawn into the colour output only).
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "forest.glsl"

in vec3 vWorld;

uniform float ttime;
uniform float object;
uniform float height;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

vec3 nightSky(vec3 dir) {
    float up = clamp(dir.y, 0.0, 1.0);
    vec3 c = mix(kForestHaze * 1.5, vec3(0.012, 0.016, 0.03), pow(up, 0.45));
    // Thin cloud, lit from the moon's side.
    vec2 st = dir.xz / (0.25 + up);
    float cloud = smoothstep(0.45, 0.85, fbm2(st * 1.6 + vec2(ttime * 0.01, 0.0)));
    vec3 m = normalize(kMoonDir);
    float moonSide = max(dot(dir, m), 0.0);
    c += vec3(0.05, 0.055, 0.065) * cloud * (0.4 + 0.6 * moonSide) * smoothstep(0.0, 0.15, up);
    // The moon and its halo.
    c += vec3(0.35, 0.34, 0.3) * pow(moonSide, 600.0) + vec3(0.06, 0.06, 0.055) * pow(moonSide, 12.0);
    c += vec3(0.85, 0.83, 0.75) * smoothstep(0.99955, 0.9997, moonSide);
    // Stars, fewer near the horizon and behind cloud.
    vec2 cellDir = vec2(atan(dir.z, dir.x) * 160.0, up * 260.0);
    vec2 cell = floor(cellDir);
    float star = step(0.988, hash12(cell)) * smoothstep(0.45, 0.1, length(fract(cellDir) - 0.5));
    c += vec3(0.6, 0.65, 0.75) * star * (0.5 + 0.5 * hash12(cell + 3.0)) * smoothstep(0.05, 0.3, up) * (1.0 - cloud);
    return c;
}

void main() {
    int role = int(object + 0.5);
    if (role == 0) {
        vec3 dir = normalize(vWorld);
        vec3 c = dir.y < 0.0 ? kForestHaze * 0.8 : nightSky(dir);
        outColour = vec4(c, 1.0);
        outNormal = vec4(packNormal(-dir), 1.0);
        outMaterial = vec4(0.0, 0.0, 0.0, 0.0);   // w = 0: sky, no haze or occlusion
        return;
    }
    if (role == 1) {
        float grain = fbm2(vWorld.xz * 0.7) * 0.6 + fbm2(vWorld.xz * 5.0) * 0.4;
        vec3 earth = vec3(0.035, 0.037, 0.036) * (0.6 + 0.8 * grain);
        // Moss between the trees and under the figures, and a faint sheen of wet ground.
        float moss = smoothstep(0.45, 0.75, fbm2(vWorld.xz * 0.35 + 4.0)) * exp(-length(vWorld.xz) * 0.08);
        earth = mix(earth, kMoss * 0.07, moss * 0.6);
        float wet = smoothstep(0.5, 0.8, fbm2(vWorld.xz * 0.25 + 11.0));
        outColour = vec4(earth, mix(0.93, 0.72, wet));
        outNormal = vec4(packNormal(vec3(0.0, 1.0, 0.0)), 1.0);
        outMaterial = vec4(0.0, 0.0, 0.6, 1.0);
        return;
    }
    // Mist: drifting banks, thickest in the middle distance, thin near the camera.
    vec2 p = vWorld.xz * 0.12 + vec2(ttime * 0.035, ttime * 0.01) + height * 3.1;
    float bank = smoothstep(0.35, 0.8, fbm2(p)) * smoothstep(0.2, 0.6, fbm2(p * 2.3 + 7.0));
    float fade = smoothstep(28.0, 8.0, length(vWorld.xz)) * smoothstep(1.0, 6.0, length(vWorld.xz - vec2(0.0, 10.0)));
    outColour = vec4(vec3(0.23, 0.25, 0.28), bank * fade * 0.2);
    outNormal = vec4(0.5, 1.0, 0.5, 0.0);
    outMaterial = vec4(0.0);
}
