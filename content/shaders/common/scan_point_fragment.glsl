// The scan points' fragment stage: small points with rounded corners (they tile a surface
// better than discs), written to the scene target's three outputs (colour; a normal facing
// the viewer; x glow, y scan, z occlusion weight).
// Needs lighting.glsl first.

in vec3 vColour;
in float vOpen;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.6) discard;
    r2 = min(r2, 1.0);
    outColour = vec4(vColour, 1.0);
    outNormal = vec4(packNormal(vec3(d.x, -d.y, sqrt(1.0 - r2))), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.35, 1.0);
}
