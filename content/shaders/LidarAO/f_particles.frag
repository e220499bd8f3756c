#version 430 compatibility
// The statue's particles: small round points, marble that glows a little.
#include "../common/lighting.glsl"

in vec3 vColour;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 d = gl_PointCoord * 2.0 - 1.0;
    float r2 = dot(d, d);
    if (r2 > 1.0) discard;
    outColour = vec4(vColour * (0.8 + 0.2 * sqrt(1.0 - r2)), 1.0);
    outNormal = vec4(packNormal(vec3(d.x, -d.y, sqrt(1.0 - r2))), 1.0);
    outMaterial = vec4(0.35, 1.0, 0.2, 1.0);
}
