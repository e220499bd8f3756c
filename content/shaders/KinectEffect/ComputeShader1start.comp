#version 430 compatibility
// The plate with the group's mark: its particles come into focus out of a soft depth blur
// in the first seconds (the letters first), hold while a light passes over them, and from
// 6.3 blow away to the right, carried by the velocity field.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#include "stage.glsl"
#include "plate.glsl"

// The letters stand out of the plate's face (z 0.036) by up to 0.13.
float letterWeight(vec3 target) { return smoothstep(0.045, 0.065, target.z); }

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    return meshPoint * kPlateScale + vec3(0.0, PosY, 0.0);
}

// Before the focus pull a particle floats a little off its place, mostly in depth (the
// letters less than the plate); after its release it follows its wind.
vec3 particleScatter(vec3 target, uint i) {
    if (ttime < 4.0) {
        vec3 r = vec3(hash1(i, 51u), hash1(i, 52u), hash1(i, 53u)) * 2.0 - 1.0;
        return r * vec3(0.1, 0.1, 0.8) * mix(1.0, 0.35, letterWeight(target));
    }
    return plateWind(i);
}

// The letters are sharp by 1.4 s, the plate by 2.6 s.
float particleGather(vec3 target, uint i) {
    if (ttime < 4.0) {
        float end = mix(2.0, 1.0, letterWeight(target)) + hash1(i, 54u) * 0.6;
        return 1.0 - smoothstep(0.0, end, ttime);
    }
    return plateDrift(ttime, plateRelease(target, i));
}

float particleChaseRate(float age, uint i) {
    return 6.0 * (0.85 + 0.3 * hash1(i, 55u));
}

float particleTurbulence(float age, float cell, uint i) {
    // Still air on the plate; the gust rises once the whole plate has let go (the wave
    // itself is the particles' wind).
    return 0.006 + smoothstep(8.4, 10.6, ttime) * 0.9 * (0.6 + 0.8 * cell);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    // NOTE: the stone image holds blue in its red channel; only its brightness is used.
    float grain = dot(texture(StoneTexture2, target.xy * vec2(0.35, 0.9) + vec2(0.31, 0.17)).rgb, vec3(0.333));
    float letter = letterWeight(target) * smoothstep(0.35, 0.6, dot(sampleColour, vec3(0.333)));
    // The light that passes over the plate from left to right in the first seconds, then
    // rests as a soft key from the upper left.
    float sweepX = mix(-2.6, 2.6, smoothstep(0.6, 4.6, ttime));
    float sweep = exp(-pow((target.x - sweepX + target.y * 0.35) * 1.8, 2.0));
    float key = clamp(dot(normalize(sampleNormal + vec3(0.0, 0.0, 1e-3)), normalize(vec3(0.35, 0.45, 0.8))), 0.0, 1.0);
    vec3 plate = vec3(0.10, 0.097, 0.106) * (0.6 + 0.8 * grain) * (0.75 + 0.25 * key);
    vec3 ink = kPale * (0.42 + 0.18 * key);
    vec3 c = mix(plate, ink, letter);
    c += kKeyColour * sweep * mix(0.1, 0.3, letter);
    // Dust that is blown off glows warm, then fades on its way.
    float release = plateRelease(target, i);
    float gone = smoothstep(release + 0.6, release + 2.6, ttime);
    c += vec3(0.20, 0.14, 0.08) * clamp(speed * 0.35, 0.0, 1.0) * (1.0 - gone);
    c *= 1.0 - gone;
    // Out of focus at the start, the letters' particles shimmer warm.
    if (ttime < 4.0) c += kKeyColour * 0.16 * letter * particleGather(target, i);
    float size = mix(0.9, 1.15, letter) * (0.85 + 0.3 * hash1(i, 57u));
    return vec4(c, size);
}
