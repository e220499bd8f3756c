#version 430 compatibility
// Mist over the night water: slow banks that drift across the sheet, thinning with "height"
// and toward the sheet's edge. "MyTexture" (a veined stone) gives the banks their streaks.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"

uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;

in vec3 vWorld;
in vec2 vTexCoord;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

const vec3 kMistColour = vec3(0.30, 0.34, 0.42);

void main() {
    vec2 p = vWorld.xz;
    vec2 drift = vec2(ttime * 0.05, ttime * 0.018) + vec2(height * 7.0, height * 3.0);
    float banks = fbm2(p * 0.11 + drift);
    float streaks = texture(MyTexture, p * 0.013 + drift * 0.1).g;
    float density = smoothstep(0.35, 0.75, banks) * (0.6 + 0.6 * streaks);
    float edge = 1.0 - smoothstep(0.55, 1.0, length(vTexCoord * 2.0 - 1.0));
    float thin = exp(-height * 1.3);
    float a = clamp(density * edge * thin * 0.16, 0.0, 0.3);
    outColour = vec4(kMistColour, a);
    outNormal = vec4(0.5, 1.0, 0.5, a);
    outMaterial = vec4(0.0, 0.0, 0.0, a);
}
