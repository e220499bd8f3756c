#version 430 compatibility
// A dark polished surface: "MyTexture" tinted by the vertex colour, fading with distance
// from the middle of the scene, written to the three targets of the scene pass (colour, an
// upward normal, and an occlusion weight so the subjects shade it).
#include "lighting.glsl"

uniform sampler2D MyTexture;

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vWorld;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 t = texture(MyTexture, vTexCoord).rgb;
    float fade = exp(-length(vWorld.xz - vec2(0.5, -2.5)) * 0.16);
    outColour = vec4(t * vColor.rgb * (0.25 + 0.75 * fade), vColor.a);
    outNormal = vec4(packNormal(vec3(0.0, 1.0, 0.0)), 1.0);
    outMaterial = vec4(0.0, 0.0, 1.0, 1.0);
}
