#version 430 compatibility
// Soft round points, shaded as small spheres lit from the moon's side; bright points glow.
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
    float rim = 0.7 + 0.3 * n.z;
    vec3 c = vColour * rim * vShadow;
    float glow = smoothstep(0.8, 1.3, max(c.r, max(c.g, c.b)));
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(glow, 1.0, 0.3, 1.0);   // x glow, y particle, z occlusion weight
}
