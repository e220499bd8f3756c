#version 430 compatibility
// The fallers: every particle follows its sample of the falling-figures mesh, carried by its
// copy of the figure as that copy falls and tumbles (fall.glsl). A share of each figure's
// particles trails above it as a faint streak. Under the water line the particles dim away.
// "SplineTexture" and "MVP" are bound by the scene; the step reads neither.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#include "fall.glsl"

bool isTrail(uint i) { return hash1(i, 320u) < 0.06; }

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    uint part = figurePart(i);
    uint f = part * kCopies + figureCopy(i);
    vec3 local = (meshPoint - kFigureMiddle[part]) * kFigureScale;
    vec3 target = fallerCentre(f, ttime) + fallerTurn(f, ttime) * local + vec3(PosX, PosY, 0.0);
    // Sunk deep enough, a particle is gone: its copy starts over high above, out of sight.
    visible = target.y > kWaterY - 1.7 ? 1.0 : 0.0;
    return target;
}

// Trail particles hang back above their figure, as far as the figure falls in a fraction of
// a second: a short streak.
vec3 particleScatter(vec3 target, uint i) {
    float lag = 0.05 + 0.4 * hash1(i, 321u) * hash1(i, 322u);
    return vec3(0.0, fallSpeed(fallerOf(i)) * lag * 1.5, 0.0);
}

float particleGather(vec3 target, uint i) { return isTrail(i) ? 1.0 : 0.0; }

float particleChaseRate(float age, uint i) { return 6.0 * (0.8 + 0.4 * hash1(i, 323u)); }

float particleTurbulence(float age, float cell, uint i) {
    // The air tugs at the figures now and then: a few Voronoi cells flutter off and back.
    float gust = smoothstep(0.8, 0.97, valueNoise2(vec2(cell * 91.0, ttime * 0.5)));
    return 0.012 + gust * 0.15 + (isTrail(i) ? 0.025 : 0.0);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    // The normal texture keeps only the positive half of each component, which suits a key
    // light from +x +y +z; the figure's own turn is left out, so its shading stays on it.
    float key = clamp(dot(max(sampleNormal, vec3(0.0)), normalize(vec3(0.7, 0.6, 0.4))), 0.0, 1.0);
    vec3 c = mix(kPale, sampleColour, 0.2) * (0.62 + 0.38 * key);
    // Four million points: smaller than the crowds' so the figures keep their edges.
    float size = 0.42 + 0.2 * hash1(i, 324u);
    if (isTrail(i)) {
        c *= 0.55;
        size *= 0.6;
    }
    // Under the water the figure is seen through it, dimmer the deeper it sinks.
    float depth = max(kWaterY - target.y, 0.0);
    c *= exp(-depth * 1.9);
    // Where a body cuts the surface, the water catches the light in a thin bright line.
    c += vec3(0.22, 0.2, 0.17) * exp(-abs(target.y - kWaterY) * 30.0);
    c += vec3(0.10, 0.08, 0.05) * clamp(speed * 0.2, 0.0, 1.0);
    return vec4(c, size);
}
