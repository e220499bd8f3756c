#version 430 compatibility
// The rainbow crowd's reflection in wet ground (the caller mirrors the mesh): the spectrum the
// crowd wears at that place and time, dim and broken by ripples, fading with depth.
#include "noise.glsl"
#include "lighting.glsl"
#include "rainbow_hues.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vColour;

uniform float ttime;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 mirroredAt = vec3(vWorld.x, -vWorld.y, vWorld.z);
    float ripple = 0.5 + 0.5 * valueNoise2(vWorld.xz * vec2(1.2, 5.0) + vec2(0.0, ttime * 0.45));
    vec3 c = spectrum(crowdHue(mirroredAt, ttime)) * 0.32 * ripple * exp(vWorld.y * 0.5);
    vec3 n = normalize(vNormal);
    outColour = vec4(c, 1.0);
    outNormal = vec4(packNormal(gl_FrontFacing ? n : -n), 1.0);
    outMaterial = vec4(0.0, 0.0, 0.2, 1.0);
}
