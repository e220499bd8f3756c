// The fallers' world, shared by the compute step: each of the mesh's six falling figures is
// shown three times (a particle's copy is a hash of its index), and every copy falls on its
// own through the picture, tumbling slowly, down into the dark water, and starts again high
// above the picture. The camera looks down -x from x = 7; z runs across the picture.

const uint kFigures = 6u;          // parts of fallers.objb, one figure each
const uint kCopies = 3u;
const float kWaterY = -1.4;        // the water plane the statues stand in
const float kFallTop = 7.6;        // a copy's centre starts here, above the picture...
const float kFallBottom = -4.6;    // ...and is out of sight, sunk, by here
const float kFigureScale = 1.7;    // mesh units to world units: figures about 1.8 tall

// Each figure's middle in the mesh (the middle of its part's bounds): the point it tumbles about.
const vec3 kFigureMiddle[6] = vec3[6](
    vec3(-1.173, 0.836, -0.269), vec3(-0.122, 0.943, -0.466), vec3(1.210, 0.607, -0.401),
    vec3(-1.099, 1.842, 0.332), vec3(0.174, 1.699, 0.338), vec3(0.776, 2.210, 0.380));

uint figurePart(uint i) {
    uint width = uint(Invocation);
    vec4 p = texelFetch(OriginalPositionTexture, ivec2(int(i % width), int(i / width)), 0);
    return min(uint(max(p.w, 0.0) + 0.5), kFigures - 1u);
}

uint figureCopy(uint i) { return hashU(i * 2654435761u + 77u) % kCopies; }

// The falling copy's number, 0 .. 17.
uint fallerOf(uint i) { return figurePart(i) * kCopies + figureCopy(i); }

float fallSpeed(uint f) { return 0.62 + 0.3 * hash1(f, 302u); }

// Where copy f's middle is at time t.
vec3 fallerCentre(uint f, float t) {
    // Each copy has its own lane across the picture (a shuffled order) and depth.
    uint lane = hashU(f * 7919u + 11u) % 18u;
    float z = -4.4 + 8.8 * (float(lane) + 0.5) / 18.0 + (hash1(f, 303u) - 0.5) * 0.35;
    float x = mix(-3.0, 1.6, hash1(f, 304u));
    float span = kFallTop - kFallBottom;
    float fallen = mod(hash1(f, 305u) * span + fallSpeed(f) * t, span);
    float y = kFallTop - fallen;
    // A slow drift sideways, as a body in free fall slides on the air.
    z += 0.35 * sin(t * (0.3 + 0.2 * hash1(f, 306u)) + hash1(f, 307u) * 6.283);
    x += 0.25 * sin(t * (0.25 + 0.2 * hash1(f, 308u)) + hash1(f, 309u) * 6.283);
    return vec3(x, y, z);
}

// Rotation of angle a about the unit axis k (Rodrigues).
mat3 rotation(vec3 k, float a) {
    float c = cos(a), s = sin(a);
    mat3 K = mat3(0.0, k.z, -k.y, -k.z, 0.0, k.x, k.y, -k.x, 0.0);
    return mat3(1.0) + s * K + (1.0 - c) * K * K;
}

// Copy f's tumble at time t: about its own axis, slowly, at its own rate.
mat3 fallerTurn(uint f, float t) {
    vec3 axis = normalize(vec3(hash1(f, 310u), hash1(f, 311u), hash1(f, 312u)) - 0.5 + vec3(0.0, 0.0, 1e-3));
    float rate = (0.18 + 0.3 * hash1(f, 313u)) * (hash1(f, 314u) < 0.5 ? -1.0 : 1.0);
    return rotation(axis, hash1(f, 315u) * 6.283 + rate * t);
}
