// A point shaded as a small bead: round, a little brighter in the middle. Writes the scene
// pass's three outputs: colour, packed normal, and (glow, particle, occlusion weight).
// Needs lighting.glsl first.

in vec3 vColour;
in float vGlow;
in float vStreak;
in float vPixels;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

// `darkest`: points dimmer than this are not drawn at all (without blending a dim point would
// cover what lies under it with its darkness).
void shadeBead(float occlusionWeight, float darkest) {
    if (dot(vColour, vec3(0.299, 0.587, 0.114)) < darkest) discard;
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    if (vStreak > 0.5) {
        // A falling drop: the middle column of pixels, without its tips.
        if (abs(d.x) * vPixels > 1.01 || abs(d.y) > 0.8) discard;
        outColour = vec4(vColour * (1.0 - 0.3 * abs(d.y)), 1.0);
        outNormal = vec4(packNormal(vec3(0.0, 0.0, 1.0)), 1.0);
        outMaterial = vec4(vGlow, 1.0, 0.0, 1.0);
        return;
    }
    float r2 = dot(d, d);
    if (r2 > 1.0) discard;
    vec3 n = vec3(d.x, -d.y, sqrt(1.0 - r2));
    outColour = vec4(vColour * (0.8 + 0.2 * n.z), 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(vGlow, 1.0, occlusionWeight, 1.0);
}
