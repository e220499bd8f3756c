#version 430 compatibility
// A mesh in its own colours (marble, for the statues), lit by the show's key and fill light.
// "IsBlack" = 1 draws it as ink; "IsReflection" = 1 as a dim, rippled reflection in dark
// water (the caller mirrors the mesh).
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
    vec3 albedo = clamp(abs(vColour), 0.0, 1.0);
    vec3 c = albedo * (keyFill(n) + vec3(0.06, 0.065, 0.075));
    // A cool rim where the surface turns away: the statues stand out against the fog.
    c += vec3(0.10, 0.12, 0.16) * pow(1.0 - clamp(abs(n.x), 0.0, 1.0), 3.0);
    if (IsReflection > 0.5) {
        float ripple = 0.55 + 0.45 * valueNoise2(vWorld.xz * vec2(0.9, 3.5) + vec2(0.0, ttime * 0.35));
        c *= 0.35 * ripple;
    }
    c *= 1.0 - clamp(IsBlack, 0.0, 1.0) * 0.95;
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.6, 1.0);   // x glow, y particle, z occlusion weight
}
