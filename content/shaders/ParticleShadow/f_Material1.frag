#version 430 compatibility
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "world.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;
in vec3 vMesh;
flat in int vRole;

uniform float ttime;
uniform float Refl;
uniform float IsShadow;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    vec3 light = keyFill(n);
    vec3 albedo;
    float glow = 0.0;
    float hazeDensity = 0.02;

    if (vRole <= 1) {
        // The colossus: a pale ghost in the haze, which takes a warm rim from t = 8.
        float rim = pow(1.0 - abs(n.x), 3.0) * smoothstep(8.0, 14.0, ttime) * float(vRole);
        vec3 ghost = kHaze * (1.7 + 0.5 * max(n.y, 0.0)) + vec3(0.16, 0.11, 0.06) * rim;
        outColour = vec4(Refl > 0.5 ? mix(kHaze * 0.8, ghost, 0.25) : ghost, 1.0);
        outNormal = vec4(packNormal(n), 1.0);
        outMaterial = vec4(0.0, 0.0, 0.0, 1.0);
        return;
    } else if (vRole == 2) {
        // The statue: marble that shows only once its particles have gathered, from the
        // plinth up, through a dissolving noise front.
        float front = (ttime - 20.0) * 0.55;
        float height = vMesh.y / kStatueHeight;
        float edge = front - height + 0.25 * (valueNoise3(vMesh * 7.0) - 0.5);
        if (edge < 0.0) discard;
        vec3 marble = vec3(0.90, 0.88, 0.84) * (0.85 + 0.15 * fbm2(vMesh.xy * 9.0));
        albedo = marble;
        glow = 1.0 - smoothstep(0.0, 0.15, edge);
        hazeDensity = 0.01;
    } else {
        // Rocky islands: dark stone with the mesh's own tint.
        float rock = fbm2(vWorld.xz * 0.2) * 0.6 + 0.4;
        albedo = mix(vec3(0.07, 0.07, 0.075), vColour * 0.25, 0.35) * rock;
        hazeDensity = 0.018;
    }

    vec3 c = albedo * light + vec3(1.0, 0.75, 0.45) * glow;
    float dist = length(vWorld - vec3(13.0, 0.5, 0.0));
    c = applyHaze(c, dist, hazeDensity);
    if (Refl > 0.5) {
        // A dim, broken reflection in the wet ground.
        float ripple = 0.6 + 0.4 * valueNoise2(vWorld.xz * vec2(0.8, 3.0) + vec2(0.0, ttime * 0.3));
        c = mix(kHaze * 0.75, c, 0.55 * ripple * exp(vWorld.y * 0.15));
    }
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(glow, 0.0, vRole == 2 ? 1.0 : 0.3, 1.0);
}
