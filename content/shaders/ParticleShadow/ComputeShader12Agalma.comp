#version 430 compatibility
// The statue: from scene time 15 its particles rise from dust on the ground around its
// plinth and gather into the statue samples, slowly, in a swirl that settles.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"

#include "world.glsl"

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    return statueFromSamples(meshPoint) + vec3(PosX, PosY, 0.0);
}

// Before it gathers, a particle lies as dust on the ground around the plinth.
vec3 particleScatter(vec3 target, uint i) {
    float a = hash1(i, 21u) * 6.2831853;
    float r = 1.0 + 6.0 * sqrt(hash1(i, 22u));
    return kStatueBase + vec3(cos(a) * r, 0.02 + 0.25 * hash1(i, 23u), sin(a) * r) - target;
}

// Lower parts gather first, so the statue builds upward from t = 16 and stands whole by
// about 22, five seconds before the scene ends.
float particleGather(vec3 target, uint i) {
    float height = clamp((target.y - kStatueBase.y) / kStatueHeight, 0.0, 1.0);
    float start = 16.0 + height * 2.5 + hash1(i, 24u) * 1.0;
    return 1.0 - smoothstep(start, start + 2.5, ttime);
}

float particleChaseRate(float age, uint i) {
    return 5.0;
}

float particleTurbulence(float age, float cell, uint i) {
    float swirl = 1.0 - smoothstep(16.5, 22.0, ttime);
    float gust = smoothstep(0.8, 0.97, valueNoise2(vec2(cell * 89.0, ttime * 0.4)));
    return 0.02 + swirl * 1.2 + gust * 0.5;
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    float key = clamp(dot(sampleNormal, normalize(vec3(0.7, 0.6, 0.4))), 0.0, 1.0);
    vec3 marble = vec3(0.96, 0.94, 0.90);
    vec3 c = marble * (0.55 + 0.6 * key);
    c += vec3(0.25, 0.17, 0.08) * clamp(speed * 0.2, 0.0, 1.0);
    return vec4(c, 0.8 + 0.3 * hash1(i, 25u));
}
