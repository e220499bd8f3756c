#version 430 compatibility
// The standing figures, between the two trees: they condense out of a low mist at the start
// and then stand still, breathing a little in the night air.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#include "forest.glsl"

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    return meshPoint * kStandingScale + kStandingOffset + vec3(PosX, PosY, 0.0);
}

// The lead-in: the figures rise out of dust lying at their feet.
vec3 particleScatter(vec3 target, uint i) {
    vec3 r = vec3(hash1(i, 11u), hash1(i, 12u), hash1(i, 13u)) * 2.0 - 1.0;
    return vec3(r.x * 0.8, 0.03 + 0.08 * hash1(i, 14u) - target.y, r.z * 0.8);
}

// Feet first, heads last, between scene times 0.5 and about 7.
float particleGather(vec3 target, uint i) {
    float start = 0.5 + clamp(target.y / 1.9, 0.0, 1.0) * 3.0 + hash1(i, 18u) * 1.5;
    return 1.0 - smoothstep(start, start + 2.5, ttime);
}

float particleChaseRate(float age, uint i) {
    return 3.0 * (0.8 + 0.4 * hash1(i, 15u));
}

float particleTurbulence(float age, float cell, uint i) {
    float gust = smoothstep(0.7, 0.95, valueNoise2(vec2(cell * 61.0, ttime * 0.25)));
    return 0.006 + gust * 0.12 + 0.006 * hash1(i, 16u);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    // The normal texture keeps only the positive half of each component (8-bit, unsigned):
    // enough for a key light from +x +y +z.
    float key = clamp(dot(max(sampleNormal, vec3(0.0)), normalize(vec3(0.6, 0.7, 0.5))), 0.0, 1.0);
    float height = clamp(target.y / 1.9, 0.0, 1.0);
    vec3 c = mix(kPale, sampleColour, 0.15);
    c *= 0.4 + 0.6 * key;
    c *= 0.65 + 0.35 * height;
    c += vec3(0.12, 0.09, 0.06) * clamp(speed * 0.15, 0.0, 1.0);
    // Dust still lying at the figures' feet is dim and fine.
    float waiting = particleGather(target, i);
    c *= mix(1.0, 0.12, waiting);
    return vec4(c, (0.8 + 0.4 * hash1(i, 17u)) * mix(1.0, 0.4, waiting));
}
