#version 430 compatibility
// A mesh as ink: near black, with only a faint pale sheen where the key light grazes it. With
// "IsReflection" = 1 the sheen breaks up into ripples: a pale statue seen in black water
// (the caller mirrors the mesh). "IsBlack" below 1 lets more of the sheen through.
#include "noise.glsl"
#include "lighting.glsl"

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
    vec3 sheen = clamp(abs(vColour), 0.0, 1.0) * keyFill(n);
    float strength = mix(0.6, 0.3, clamp(IsBlack, 0.0, 1.0));
    if (IsReflection > 0.5) {
        // Bands drawn out along the view, drifting: the water is never quite still.
        float ripple = valueNoise2(vWorld.xz * vec2(0.7, 4.0) + vec2(ttime * 0.25, ttime * 0.4));
        strength *= 0.45 + 0.9 * ripple;
    }
    vec3 c = vec3(0.004, 0.005, 0.008) + sheen * strength;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.2, 1.0);
}
