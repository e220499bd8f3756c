// The plate's script, shared by its compute step and its point shader: it comes into focus
// at the start, holds, and blows away from left to right, each particle on its own wind.
// Needs noise.glsl and stage.glsl first.

// When particle i (at plate position x) lets go: the wave crosses the plate from 6.3 to 8.5.
float plateRelease(vec3 target, uint i) {
    float across = clamp(target.x / (2.0 * kPlateHalfWidth) + 0.5, 0.0, 1.0);
    return 6.3 + across * 2.2 + hash1(i, 61u) * 0.7;
}

// Where the wind takes particle i: right, up and away, each on its own line.
vec3 plateWind(uint i) {
    return vec3(1.3 + 1.6 * hash1(i, 62u), 0.35 + 0.9 * hash1(i, 63u), -0.6 - 1.8 * hash1(i, 64u));
}

// How far along its wind particle i has gone at time t (accelerating, unbounded).
float plateDrift(float t, float release) {
    float s = max(t - release, 0.0);
    return s * s * 0.45;
}

// The plate's overall fade once the simulation has stopped (10.8) and before it is gone (12).
float plateFade(float t) { return 1.0 - smoothstep(9.6, 11.6, t); }
