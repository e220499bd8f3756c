#version 430 compatibility
// Soft round points shaded as small spheres; the more saturated a point, the more it glows,
// so the rainbow blooms a little in the composite.
#include "../common/lighting.glsl"

in vec3 vColour;
in float vShadow;
in float vDepth;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.0) discard;
    vec3 n = vec3(d.x, -d.y, sqrt(1.0 - r2));
    vec3 c = vColour * (0.72 + 0.28 * n.z) * vShadow;
    float top = max(c.r, max(c.g, c.b));
    float saturation = top > 1e-4 ? 1.0 - min(c.r, min(c.g, c.b)) / top : 0.0;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.3 * saturation * smoothstep(0.25, 0.7, top), 1.0, 0.25, 1.0);
}
