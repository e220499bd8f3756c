#version 430 compatibility
// The statue among the ruins: its particles wait as a slow ring of dust round the colonnade,
// then from scene time 32 the flow field carries them in and they settle into the statue,
// from its foot up.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"

#include "statue.glsl"

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    // Turned to face -z, where the camera circles it.
    return vec3(-meshPoint.x, meshPoint.y, -meshPoint.z) * kStatueSampleScale + vec3(0.0, PosY, 0.0);
}

// Before it gathers, a particle drifts in a wide ring of dust between the columns.
vec3 particleScatter(vec3 target, uint i) {
    float a = hash1(i, 31u) * 6.2831853 + ttime * 0.08 * (0.5 + hash1(i, 32u));
    float r = 4.5 + 7.0 * sqrt(hash1(i, 33u));
    float h = 0.2 + 7.5 * hash1(i, 34u) * hash1(i, 35u);
    return vec3(cos(a) * r, h, sin(a) * r) - target;
}

// Lower parts gather first: the statue builds upward from t = 32 to about 42.
float particleGather(vec3 target, uint i) {
    float height = clamp(target.y / kStatueHeightMetres, 0.0, 1.0);
    float start = 32.0 + height * 5.0 + hash1(i, 36u) * 1.5;
    return 1.0 - smoothstep(start, start + 4.0, ttime);
}

float particleChaseRate(float age, uint i) {
    return 2.5 + 1.5 * hash1(i, 37u);
}

float particleTurbulence(float age, float cell, uint i) {
    float swirl = 1.0 - smoothstep(36.0, 44.0, ttime);
    float gust = smoothstep(0.8, 0.97, valueNoise2(vec2(cell * 89.0, ttime * 0.4)));
    return 0.01 + swirl * 1.6 + gust * 0.25;
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    float key = clamp(dot(sampleNormal, normalize(vec3(0.5, 0.7, 0.5))), 0.0, 1.0);
    float height = clamp(target.y / kStatueHeightMetres, 0.0, 1.0);
    vec3 c = kPale * (0.35 + 0.65 * key) * (0.75 + 0.25 * height);
    c += vec3(0.35, 0.2, 0.1) * clamp(speed * 0.4, 0.0, 1.0);   // moving dust glows warm
    return vec4(c, 0.8 + 0.4 * hash1(i, 38u));
}
