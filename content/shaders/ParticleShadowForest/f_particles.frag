#version 430 compatibility
// Soft round points, each shaded as a small sphere whose edge falls off.
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
    vec3 c = vColour * (0.7 + 0.3 * n.z) * vShadow;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 1.0, 0.3, 1.0);   // x glow, y particle, z occlusion weight, w not sky
}
