// The show's light: a warm key from above and in front, a cool fill from the other side,
// and the haze that distant things fade into. Night and ink: near-black grounds, pale
// warm-white subjects.

const vec3 kKeyDir = vec3(0.55, 0.75, 0.37);     // normalised below
const vec3 kKeyColour = vec3(1.00, 0.86, 0.68);
const vec3 kFillDir = vec3(-0.4, 0.3, -0.85);
const vec3 kFillColour = vec3(0.40, 0.50, 0.70);
const vec3 kHaze = vec3(0.095, 0.10, 0.115);      // what the far distance fades into
const vec3 kPale = vec3(0.93, 0.88, 0.80);        // the particles' warm white

// Diffuse light of a surface with normal n (unit length).
vec3 keyFill(vec3 n) {
    float key = max(dot(n, normalize(kKeyDir)), 0.0);
    float fill = max(dot(n, normalize(kFillDir)), 0.0);
    float sky = 0.5 + 0.5 * n.y;
    return kKeyColour * key * 0.85 + kFillColour * fill * 0.35 + vec3(0.10, 0.11, 0.13) * sky;
}

// Exponential haze by distance.
vec3 applyHaze(vec3 colour, float dist, float density) {
    return mix(kHaze, colour, exp(-dist * density));
}

// Packs a unit normal for an 8-bit target and back.
vec3 packNormal(vec3 n) { return n * 0.5 + 0.5; }
vec3 unpackNormal(vec3 p) { return normalize(p * 2.0 - 1.0); }
