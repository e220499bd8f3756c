// The skull scene's two subjects and how their particles gather, shared by its two compute
// shaders. The including shader sets kSubject first: 0 the bust, 1 the cherub's head.
//
// Both meshes face +z (the camera circles on that side) and are scattered at their file
// size: the bust stands 5.87 units from y = 0, the head is 7.8 units about its centre. The
// bust stands in front on the floor; the head floats behind it and to the right, larger than
// life, so the circling camera sees one behind the other.

const float kFloorY = -2.45;
const vec3 kBustOffset = vec3(-0.3, -2.4, 0.0);
const float kBustScale = 0.96;
const vec3 kHeadOffset = vec3(2.7, 2.3, -5.4);
const float kHeadScale = 0.74;

vec3 placeSubject(vec3 p) {
    return kSubject == 0 ? p * kBustScale + kBustOffset : p * kHeadScale + kHeadOffset;
}

// 0 at the subject's foot, 1 at its top.
float subjectHeight(vec3 target) {
    return kSubject == 0 ? clamp((target.y - kBustOffset.y) / (5.87 * kBustScale), 0.0, 1.0)
                         : clamp((target.y - (kHeadOffset.y - 4.75 * kHeadScale)) / (7.83 * kHeadScale), 0.0, 1.0);
}

// How far a particle has come loose at the end: patches of the surface go, from the top
// down, each a little after its neighbour, from t = 13.2 on.
float crumbleAmount(vec3 target, uint i) {
    float spot = valueNoise2(target.xz * 1.1 + vec2(target.y * 0.8, 0.0));
    float start = 13.2 + (1.0 - subjectHeight(target)) * 1.6 + spot * 1.2 + hash1(i, 36u) * 0.4;
    return smoothstep(start, start + 2.2, ttime);
}

vec3 particleTarget(vec3 meshPoint, uint i, out float visible) {
    visible = 1.0;
    return placeSubject(meshPoint);
}

// Before it gathers, a particle is a mote of dust drifting slowly round the subject in a wide,
// loose cloud that is densest near the floor. Once the subject has held (the gathering is
// long over by t = 12), the same offset carries a loose particle up and away in a plume that
// leans with a slow swirl.
vec3 particleScatter(vec3 target, uint i) {
    if (ttime > 12.0) {
        float a = hash1(i, 31u) * 6.2831853 + ttime * 0.4;
        float rise = 2.5 + 6.0 * hash1(i, 32u) * hash1(i, 33u) + 1.5 * hash1(i, 38u);
        return vec3(cos(a) * 0.7 + 0.5, rise, sin(a) * 0.5);
    }
    float drift = ttime * (0.035 + 0.03 * hash1(i, 34u));
    float a = hash1(i, 31u) * 6.2831853 + drift;
    float r = 0.6 + 4.6 * sqrt(hash1(i, 32u));
    vec3 centre = kSubject == 0 ? vec3(-0.3, 0.0, 0.0) : vec3(2.7, 0.0, -5.4);
    float y = kFloorY + 0.05 + 6.0 * pow(hash1(i, 33u), 2.2) + 0.25 * sin(drift * 7.0 + hash1(i, 38u) * 6.28);
    return centre + vec3(cos(a) * r, y, sin(a) * r * 0.6) - target;
}

// The heads form first: a particle condenses from the top of its subject down, the bust
// already under way when the scene cuts in (its first outline is there on the first frame),
// the cherub from t = 0.5, each over about six seconds. After the hold, the loose particles
// rise as plumes.
float particleGather(vec3 target, uint i) {
    float start = (kSubject == 0 ? -4.5 : 0.5) + (1.0 - subjectHeight(target)) * 3.5 + hash1(i, 35u) * 1.5;
    return 1.0 - smoothstep(start, start + 3.0, ttime) + crumbleAmount(target, i);
}

float particleChaseRate(float age, uint i) {
    return 4.0;
}

// Still air while the subjects hold; at the end the loose patches are stirred as they rise.
float particleTurbulence(float age, float cell, uint i) {
    float settle = 1.0 - smoothstep(2.0, 9.0, ttime);
    float crumble = smoothstep(13.2, 15.5, ttime) * (0.6 + 0.8 * cell);
    return 0.015 + settle * 0.6 + crumble * 1.1;
}

// Marble white with veins from the marble texture, lit by the show's key and fill. Dust is
// dim and fine; particles set loose glow a little warmer.
vec4 particleColour(vec3 sampleColour, vec3 sampleNormal, vec3 target, float speed, float age, uint i) {
    vec3 n = length(sampleNormal) > 0.01 ? normalize(sampleNormal) : vec3(0.0, 0.0, 1.0);
    float vein = texture(StoneTexture2, target.xy * 0.21 + vec2(target.z * 0.09, kSubject == 0 ? 0.0 : 0.37)).r;
    vec3 marble = vec3(0.9, 0.88, 0.85) * mix(0.62, 1.0, smoothstep(0.25, 0.75, vein));
    vec3 c = marble * (0.2 + 0.74 * keyFill(n));
    // Dust before the gathering: dim, but every so often a mote catches the light.
    float dust = ttime > 12.0 ? 0.0 : particleGather(target, i);
    float mote = 0.3 + 0.2 * hash1(i, 39u) + 0.9 * step(0.92, hash1(i, 40u));
    c *= mix(1.0, mote, dust);
    c *= 1.0 - 0.45 * crumbleAmount(target, i);
    c += vec3(0.16, 0.11, 0.06) * clamp(speed * 0.2, 0.0, 1.0);
    return vec4(c, mix(0.85 + 0.3 * hash1(i, 37u), 0.5, dust));
}
