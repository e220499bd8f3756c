#version 430 compatibility
// The second standing group: figures of dark stone with a cool moonlit rim, and their shadow.
#include "../common/lighting.glsl"
#include "forest.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;

uniform float ttime;
uniform float IsShadow;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    if (IsShadow > 0.5) {
        outColour = vec4(0.012, 0.013, 0.015, 1.0);
        outNormal = vec4(packNormal(vec3(0.0, 1.0, 0.0)), 1.0);
        outMaterial = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    }
    vec3 albedo = mix(vec3(0.05, 0.05, 0.055), vColour * 0.12, 0.3);
    float rim = pow(clamp(1.0 - abs(n.z), 0.0, 1.0), 3.0);
    vec3 c = albedo * keyFill(n) + vec3(0.07, 0.09, 0.12) * rim;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.8, 1.0);
}
