#version 430 compatibility
// The two trees. Tree 1's packed image is "OriginalPositionTexture", tree 2's
// "OriginalPositionTexture2": row r is branch r (children before parents: the trunk is the
// last row), column k its point k, w its generation. Every particle belongs to one tree and
// to one place on one branch, spread round the branch by its thickness; twigs carry a puff of
// foliage. The particles ride their branch as the builder grows it: a branch is born at its
// fork as a thin shoot and runs out along its path, so the tree rises out of the ground trunk
// first, twigs last. When the crowns droop (scene time 15 on), the leaves of the shrinking
// twigs fall to the ground and lie there.
#define PARTICLE_CUSTOM_SAMPLE
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/particle_step.glsl"
#include "forest.glsl"

uniform sampler2D OriginalPositionTexture2;

const int kSteps = 250;
// The builder's longest step per generation: 0.01 x the product of the caps 0.9, 0.6, 0.3, 0.2.
const float kFullStep[4] = float[4](0.009, 0.0054, 0.00162, 0.000324);
// Radius of a branch at its root, in builder units; foliage puffs round the twigs.
const float kRadius[4] = float[4](0.07, 0.028, 0.012, 0.05);

// Per invocation: what particleSample found, for the functions below.
float gGrown;       // 0 while the particle's branch is unborn .. 1 at full length
float gGeneration;
float gAlong;       // 0 at the branch's root .. 1 at its tip
float gTree;

// The row of a branch in the post-order image: generation-1 branch a, its child b, its child c.
int branchRow(int generation, int a, int b, int c) {
    if (generation == 0) return 258;
    if (generation == 1) return 43 * a + 42;
    if (generation == 2) return 43 * a + 7 * b + 6;
    return 43 * a + 7 * b + c;
}

vec4 treePoint(int tree, ivec2 tc) {
    return tree == 0 ? texelFetch(OriginalPositionTexture, tc, 0) : texelFetch(OriginalPositionTexture2, tc, 0);
}

void particleSample(uint i, ivec2 tc, out vec4 meshPoint, out vec3 sampleColour, out vec3 sampleNormal) {
    int tree = int(i & 1u);
    uint j = i >> 1;
    // Shares of the particles: trunk 30 %, boughs 28 %, branches 22 %, twigs and foliage 20 %.
    float pick = hash1(j, 51u);
    int generation = pick < 0.30 ? 0 : (pick < 0.58 ? 1 : (pick < 0.80 ? 2 : 3));
    int a = int(hash1(j, 52u) * 6.0) % 6;
    int b = int(hash1(j, 53u) * 6.0) % 6;
    int c = int(hash1(j, 54u) * 6.0) % 6;
    int row = branchRow(generation, a, b, c);

    // Foliage gathers toward the twigs' tips.
    float u = hash1(j, 55u);
    if (generation == 3) u = sqrt(u);
    float x = u * float(kSteps - 1);
    int k = min(int(x), kSteps - 2);
    float f = x - float(k);
    vec4 p0 = treePoint(tree, ivec2(k, row));
    vec4 p1 = treePoint(tree, ivec2(k + 1, row));
    vec3 axis = p1.xyz - p0.xyz;
    float segment = length(axis);
    vec3 dir = segment > 1e-7 ? axis / segment : vec3(0.0, 1.0, 0.0);
    vec3 side = normalize(abs(dir.y) < 0.9 ? cross(dir, vec3(0.0, 1.0, 0.0)) : cross(dir, vec3(1.0, 0.0, 0.0)));
    vec3 other = cross(dir, side);
    float angle = hash1(j, 56u) * 6.2831853;
    vec3 normal = side * cos(angle) + other * sin(angle);
    float along = x / float(kSteps - 1);
    // Shoots start thin and fill out as they grow.
    float thickness = 0.25 + 0.75 * smoothstep(0.0, 0.6, clamp(segment / kFullStep[generation], 0.0, 1.0));
    float radius = kRadius[generation] * (1.0 - 0.55 * along) * thickness;
    if (generation == 0) radius *= 1.0 + 1.2 * exp(-x * 0.12);   // the flare at the foot
    if (generation == 3) {
        // A loose ball of leaves: anywhere within the puff, not on a tube.
        vec3 r = vec3(hash1(j, 57u), hash1(j, 58u), hash1(j, 59u)) * 2.0 - 1.0;
        normal = normalize(r + vec3(0.0, 0.3, 0.0));
        radius = kRadius[3] * pow(hash1(j, 60u), 0.5) * (0.4 + 0.6 * along) * thickness;
    } else {
        radius *= 0.85 + 0.15 * hash1(j, 57u);
    }

    gGrown = clamp(segment / kFullStep[generation], 0.0, 1.0);
    gGeneration = float(generation);
    gAlong = along;
    gTree = float(tree);
    meshPoint = vec4(mix(p0.xyz, p1.xyz, f) + normal * radius, p0.w);
    // A texel the builder never wrote (no image yet) stays hidden.
    if (dot(p0.xyz, p0.xyz) < 1e-12) meshPoint = vec4(0.0);
    sampleColour = vec3(0.0);
    sampleNormal = normal;
}

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    // A branch not yet born sits folded into its fork point: nothing to show.
    visible = gGrown > 0.003 || (gGeneration >= 3.0 && ttime >= 15.0) ? 1.0 : 0.0;
    return meshPoint * kTreeScale;
}

// Only leaves ever leave their branch: from the droop on each lets go on its own, tumbles
// down drifting on the air, and lies on the ground in a drift under the crown, spread out
// from its tree's trunk (at x = -4 or 4) and thickest near the crown's edge.
vec3 particleScatter(vec3 target, uint i) {
    if (gGeneration < 3.0) return vec3(0.0);
    uint j = i >> 1;
    vec2 trunk = vec2(target.x < 0.0 ? -4.0 : 4.0, 0.0);
    vec2 out2 = target.xz - trunk;
    float from = length(out2);
    vec2 away = from > 1e-3 ? out2 / from : vec2(cos(hash1(j, 62u) * 6.2831853), sin(hash1(j, 62u) * 6.2831853));
    float a = hash1(j, 62u) * 6.2831853;
    float reach = max(from, 1.2 + 2.4 * hash1(j, 69u)) + 0.6 * hash1(j, 63u);
    vec2 ground = trunk + away * reach + vec2(cos(a), sin(a)) * 0.5 * sqrt(hash1(j, 63u));
    return vec3(ground.x, 0.015 + 0.03 * hash1(j, 64u), ground.y) - target;
}

// A leaf lets go at its own moment of the droop (scene time 15 to 22), or sooner if its
// twig has shrunk past the leaf's mark, and is down within a second or so (the chase rate
// below); so only a few are in the air at any time.
float particleGather(vec3 target, uint i) {
    if (gGeneration < 3.0 || ttime < 15.0) return 0.0;
    float when = 15.0 + 7.0 * hash1(i >> 1, 72u);
    float mark = 0.15 + 0.3 * hash1(i >> 1, 65u);
    return max(smoothstep(when, when + 0.15, ttime), 1.0 - smoothstep(mark - 0.04, mark, gGrown));
}

float particleChaseRate(float age, uint i) {
    // Leaves drop in a second or so once they let go; wood follows its branch briskly.
    float rate = gGeneration >= 3.0 && ttime >= 15.0 ? 3.2 : 2.2;
    return rate * (0.7 + 0.6 * hash1(i >> 1, 66u));
}

float particleTurbulence(float age, float cell, uint i) {
    // Leaves on the twigs stir in the night air; wood and fallen leaves hardly move.
    float leaf = gGeneration >= 3.0 ? 1.0 - particleGather(vec3(0.0), i) : 0.0;
    float gust = smoothstep(0.55, 0.9, valueNoise2(vec2(cell * 53.0, ttime * 0.35)));
    return 0.004 + leaf * (0.025 + gust * 0.12);
}

vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    uint j = i >> 1;
    float key = clamp(dot(sampleNormal, normalize(vec3(0.6, 0.7, 0.5))), 0.0, 1.0);
    float fill = clamp(dot(sampleNormal, normalize(vec3(-0.5, 0.3, -0.6))), 0.0, 1.0);
    vec3 bark = mix(vec3(0.55, 0.50, 0.45), kPale, 0.35 * gGeneration);
    vec3 c = gGeneration >= 3.0 ? mix(kPale, kMoss, 0.55 + 0.3 * hash1(j, 67u)) : bark;
    c *= 0.38 + 0.62 * key;
    c += vec3(0.06, 0.08, 0.12) * fill;
    // Sap: a slow glow that runs up the wood, from the roots to the twigs.
    float wave = fract(gAlong * 1.5 + gGeneration * 0.5 - ttime * 0.22);
    c += vec3(0.22, 0.16, 0.07) * pow(1.0 - wave, 6.0) * (gGeneration < 3.0 ? 1.0 : 0.4);
    // Fallen leaves lie dim on the ground; falling ones tumble, flashing as they turn.
    float fallen = particleGather(target, i);
    float tumble = 0.75 + 0.5 * sin(ttime * (7.0 + 6.0 * hash1(j, 70u)) + hash1(j, 71u) * 6.2831853);
    c *= mix(1.0, 0.5, fallen) * mix(1.0, tumble, gGeneration >= 3.0 ? clamp(speed * 0.6, 0.0, 1.0) : 0.0);
    c += vec3(0.10, 0.08, 0.05) * clamp(speed * 0.25, 0.0, 1.0);
    float size = (gGeneration >= 3.0 ? 0.75 : 0.9) + 0.3 * hash1(j, 68u);
    return vec4(c, size);
}
