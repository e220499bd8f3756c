#version 430 compatibility
// Stone under a low moon: the island dark and wet, the statues and the statue rows pale.
// Mirrored copies ("Refl" = 1) are their reflections: dimmer, broken by ripples, fading with
// depth, and blended over the water (alpha below 1).
#include "../common/noise.glsl"
#include "../common/lighting.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;
in vec3 vMesh;

uniform float ttime;
uniform float object;
uniform float Refl;
uniform float IsShadow;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

const vec3 kMoonDir = vec3(-0.9589, 0.1392, 0.2471);
const vec3 kMoonLight = vec3(0.62, 0.70, 0.85);

void main() {
    bool mirrored = Refl > 0.5;
    vec3 n = normalize(vNormal);
    // A mirrored copy turns its winding over, and with it which side faces the eye.
    if (gl_FrontFacing == mirrored) n = -n;
    int role = int(object + 0.5);
    vec3 albedo;
    float shine;
    if (role == 0) {
        float rock = fbm2(vWorld.xz * 0.35) * 0.5 + 0.5;
        albedo = mix(vec3(0.05, 0.05, 0.055), vColour * 0.18, 0.4) * rock;
        shine = 0.15;
    } else {
        albedo = vec3(0.82, 0.80, 0.76) * (0.85 + 0.15 * valueNoise3(vMesh * 6.0));
        shine = 0.6;
    }
    // The moon is low and behind the island: a cool rim, a warm key from the show's light.
    vec3 lit = albedo * keyFill(n) * 0.55;
    float rim = pow(clamp(dot(n, kMoonDir), 0.0, 1.0), 2.0);
    lit += kMoonLight * rim * shine * 0.6;
    float alpha = 1.0;
    if (mirrored) {
        float depth = max(-vWorld.y, 0.0);
        float ripple = valueNoise2(vec2(vWorld.x * 0.8 + vWorld.z * 0.3, vWorld.y * 7.0 + ttime * 0.9));
        lit *= 0.35 + 0.5 * ripple;
        alpha = 0.5 * exp(-depth * 0.25);
    }
    outColour = vec4(lit, alpha);
    outNormal = vec4(packNormal(n), alpha);
    outMaterial = vec4(0.0, 0.0, role == 0 ? 0.6 : 1.0, alpha);
}
