#version 430 compatibility
// A dark animal in the night: the mesh's own colour, deep in shadow, with a cool rim where
// the moon grazes it. Below the ground (a mirrored copy) it turns into a dim reflection.
#include "noise.glsl"
#include "lighting.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;

uniform float ttime;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    vec3 c = vColour * 0.12 * keyFill(n);
    float rim = pow(clamp(1.0 - abs(n.z), 0.0, 1.0), 3.0);
    c += vec3(0.05, 0.06, 0.08) * rim;
    if (vWorld.y < 0.0) c = mix(kHaze * 0.4, c, 0.5) * (0.6 + 0.4 * valueNoise2(vWorld.xz * vec2(1.5, 6.0) + ttime * 0.3));
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.6, 1.0);
}
