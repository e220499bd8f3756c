// The rain's script, shared by its compute step and its point shader. Needs noise.glsl and
// stage.glsl first.

// Particle i's fall speed (units a second) and its place in the slab.
float rainSpeed(uint i) { return 0.5 + 0.45 * hash1(i, 71u); }
float rainDepth(uint i) { return mix(kRainFar, kRainNear, hash1(i, 72u)); }
float rainColumn(uint i, uint round) {
    return (hash1(i * 7919u + round, 73u) * 2.0 - 1.0) * kRainHalfWidth;
}

// Where particle i falls at time t if nothing stops it: stateless, so a fresh particle
// starts mid-fall and the rain is already in progress whenever it is first seen.
vec3 rainAt(uint i, float t) {
    float fallen = hash1(i, 74u) * kRainSpan + rainSpeed(i) * t;
    float round = floor(fallen / kRainSpan);
    return vec3(rainColumn(i, uint(round)), kRainTop - (fallen - round * kRainSpan), rainDepth(i));
}

// The share of drops that show as falling rain (the rest show only on the figure), rising
// from a drizzle at 3 s to the full rain.
float rainShown(uint i, float t) {
    float share = mix(0.004, 0.012, smoothstep(3.0, 9.0, t));
    float h = hash1(i, 75u);
    return 1.0 - smoothstep(share * 0.7, share, h);
}

// The figure shows as light from 6 s, as the plate blows away, fully from 9.5 s.
float figureReveal(float t) { return smoothstep(6.0, 9.5, t); }

// When particle i, bound for title point x, starts to gather: a wave from left to right,
// from 18.5 to 21.5; each flight lasts kGatherTime.
const float kGatherTime = 3.0;
float titleGatherStart(vec3 titlePoint, uint i) {
    float across = clamp(titlePoint.x / (2.0 * kTitleHalfWidth) + 0.5, 0.0, 1.0);
    return 18.5 + across * 2.2 + hash1(i, 76u) * 0.8;
}

// How far along its flight into the title a particle is (0 .. 1, eased at both ends).
float gatherProgress(float t, float start) {
    float u = clamp((t - start) / kGatherTime, 0.0, 1.0);
    return u * u * u * (u * (u * 6.0 - 15.0) + 10.0);
}

// The title's share of the samples: the rain has 1024 x 1024 particles and the title
// `size.x` x `size.y` samples; particle i takes sample i x samples / particles, so every
// letter gets its share however many samples the scatter filled.
ivec2 titleTexel(uint i, ivec2 size) {
    float samples = float(size.x) * float(size.y);
    uint j = uint(float(i) * samples / (1024.0 * 1024.0));
    uint w = uint(max(size.x, 1));
    return ivec2(int(j % w), int(j / w));
}
