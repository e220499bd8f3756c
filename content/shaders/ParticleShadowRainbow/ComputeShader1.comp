#version 430 compatibility
// The rainbow crowd: 2024 x 2024 particles that start as a rainbow arc over the city, pour
// down out of it into the people of the crowd between 0.8 and about 6 s, and then wear the
// spectrum as it sweeps through them, a bright band crossing the picture in time with the
// music. Near the end a breeze lifts loose patches off the figures.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/rainbow_hues.glsl"
#define PARTICLE_SCENE_CLOCK_STEP
#include "../common/particle_step.glsl"

// The camera's matrix: the bright band sweeps across the picture, not across the world.
uniform mat4 MVP;

const vec3 kArcCentre = vec3(0.0, -6.0, -28.0);
const float kArcInner = 19.0;
const float kArcOuter = 24.0;

// 0 on the arc's inner (violet) edge .. 1 on its outer (red) edge.
float arcBand(uint i) { return hash1(i, 31u); }

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    return meshPoint;
}

// On the arc, above the particle's own place in the crowd, so that it falls nearly straight.
vec3 particleScatter(vec3 target, uint i) {
    float r = mix(kArcInner, kArcOuter, arcBand(i));
    float across = clamp(target.x / 10.5 + (hash1(i, 32u) - 0.5) * 0.3, -0.985, 0.985);
    float a = acos(across);
    vec3 p = kArcCentre + vec3(cos(a) * r, sin(a) * r, (hash1(i, 33u) - 0.5) * 1.6);
    return p - target;
}

float particleGather(vec3 target, uint i) {
    float start = 0.8 + 2.8 * hash1(i, 34u);
    return 1.0 - smoothstep(start, start + 2.5, ttime);
}

float particleChaseRate(float age, uint i) {
    return 3.0;
}

float particleTurbulence(float age, float cell, uint i) {
    float pour = 0.9 * (1.0 - smoothstep(3.0, 7.0, ttime));
    float breeze = smoothstep(28.5, 33.0, ttime) * smoothstep(0.7, 0.9, cell) * 0.8;   // a few patches: the figures keep their shapes
    return 0.04 + pour + breeze;
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    float g = particleGather(target, i);
    vec3 arc = spectrum(0.78 * (1.0 - arcBand(i)));
    vec3 crowd = spectrum(crowdHue(target, ttime));
    vec3 hue = mix(crowd, arc, g);

    vec3 n = dot(sampleNormal, sampleNormal) > 1e-6 ? normalize(sampleNormal) : vec3(0.0, 1.0, 0.0);
    float key = clamp(dot(n, normalize(kKeyDir)), 0.0, 1.0);
    float fill = clamp(dot(n, normalize(kFillDir)), 0.0, 1.0);
    float shade = 0.42 + 0.42 * key + 0.16 * fill;
    // The figures' own colours keep their clothes and faces apart inside the spectrum.
    float detail = 0.55 + 0.45 * clamp(dot(sampleColour, vec3(0.299, 0.587, 0.114)) * 1.3, 0.0, 1.0);
    vec3 c = hue * shade * mix(detail, 1.0, g) * 0.82;

    // The bright band: crosses the picture from left to right every 4.4 s.
    vec4 clip = MVP * vec4(target, 1.0);
    float sx = clip.w > 0.01 ? clip.x / clip.w : 2.0;
    float bandAt = mod(ttime * 0.55, 2.4) - 1.2;
    float band = exp(-pow((sx - bandAt) * 4.0, 2.0)) * (1.0 - g);
    c = mix(c, vec3(dot(c, vec3(0.333))) + c * 0.5, 0.25 * band) * (1.0 + 0.3 * band);
    c *= 1.0 + 0.4 * clamp(speed * 0.15, 0.0, 1.0);
    return vec4(c, 0.85 + 0.3 * hash1(i, 35u));
}
