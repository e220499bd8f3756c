// The two walking crowds. Every particle belongs to one figure of its crowd (a hash of its
// index), so each figure shows a random share of the walk-cycle mesh's samples. Figures walk
// in lanes along z and wrap round out of view; crowd B walks the other way, through A.
// The including shader defines CROWD_DIRECTION (1 or -1), CROWD_SPEED (world units a second,
// matched to its walk-cycle rate so the feet do not slide) and CROWD_SEED before this file.
// The walk-cycle mesh walks in place, facing +z.

const uint kFigures = 34u;
const float kLoopHalfLength = 19.0;   // figures wrap from +L to -L (outside the picture)

vec3 figureOffset(uint figure, out float facing) {
    float lane = hash1(figure, CROWD_SEED);
    float x = mix(-5.0, 7.0, lane * lane);   // more figures near the camera
    float speed = CROWD_SPEED * (0.98 + 0.04 * hash1(figure, CROWD_SEED + 1u));
    float start = hash1(figure, CROWD_SEED + 2u) * 2.0 * kLoopHalfLength;
    float z = mod(start + CROWD_DIRECTION * speed * ttime, 2.0 * kLoopHalfLength) - kLoopHalfLength;
    facing = CROWD_DIRECTION;
    return vec3(x, 0.0, z);
}

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    uint figure = hashU(i * 2654435761u + CROWD_SEED) % kFigures;
    float facing;
    vec3 base = figureOffset(figure, facing);
    vec3 local = vec3(meshPoint.x * facing, meshPoint.y, meshPoint.z * facing);
    visible = 1.0;
    return base + local + vec3(PosX, PosY, 0.0);
}

// The lead-in: the figures condense out of dust that hangs above them.
vec3 particleScatter(vec3 target, uint i) {
    vec3 r = vec3(hash1(i, 11u), hash1(i, 12u), hash1(i, 13u)) * 2.0 - 1.0;
    return r * vec3(1.6, 1.2, 1.6) + vec3(0.0, 1.8 + 2.0 * hash1(i, 14u), 0.0);
}

float particleGather(vec3 target, uint i) {
    float lag = hash1(i, 18u) * 1.5;
    return 1.0 - smoothstep(-4.5 + lag, 0.0 + lag, ttime);
}

float particleChaseRate(float age, uint i) {
    return 7.0 * (0.8 + 0.4 * hash1(i, 15u));
}

float particleTurbulence(float age, float cell, uint i) {
    // Now and then a Voronoi cell of particles is blown off and drifts back.
    float gust = smoothstep(0.72, 0.95, valueNoise2(vec2(cell * 97.0, ttime * 0.45 + CROWD_DIRECTION * 3.0)));
    return 0.03 + gust * 0.9 + 0.02 * hash1(i, 16u);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    // The normal texture keeps only the positive half of each component (8-bit, unsigned),
    // which is just what a key light from +x +y +z needs.
    vec3 n = sampleNormal * vec3(CROWD_DIRECTION, 1.0, CROWD_DIRECTION);
    float key = clamp(dot(max(n, vec3(0.0)), normalize(vec3(0.7, 0.6, 0.4))), 0.0, 1.0);
    float height = clamp(target.y / 2.1, 0.0, 1.0);
    vec3 c = mix(kPale, sampleColour, 0.12);
    c *= 0.42 + 0.58 * key;
    c *= 0.7 + 0.3 * height;
    c += vec3(0.12, 0.09, 0.06) * clamp(speed * 0.15, 0.0, 1.0);   // moving dust glows warm
    float size = 0.8 + 0.4 * hash1(i, 17u);
    return vec4(c, size);
}
