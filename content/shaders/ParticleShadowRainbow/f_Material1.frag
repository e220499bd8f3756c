#version 430 compatibility
// The walkers: black silhouettes against the skyline ("IsBlack"), edged by the rainbow's
// light in the hue of where they walk, and their dim rippled reflections ("IsReflection").
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/rainbow_hues.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;

uniform float ttime;
uniform float IsBlack;
uniform float IsReflection;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    vec3 c = IsBlack > 0.5 ? vec3(0.008, 0.008, 0.012) : clamp(vColour, 0.0, 1.0) * keyFill(n) * 0.3;
    float rim = pow(clamp(1.0 - abs(n.z), 0.0, 1.0), 3.0);
    c += spectrum(crowdHue(vWorld, ttime)) * 0.16 * rim;
    if (IsReflection > 0.5) {
        c *= 0.4 * (0.55 + 0.45 * valueNoise2(vWorld.xz * vec2(1.5, 6.0) + vec2(0.0, ttime * 0.4)));
    }
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.5, 1.0);
}
