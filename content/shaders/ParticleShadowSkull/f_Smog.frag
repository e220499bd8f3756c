#version 430 compatibility
// Low mist: drifting, thin near the floor's edge, thinning with height. "MyTexture" (the
// marble) breaks it into wisps. Writes colour only; the normal and material targets keep
// what is under the mist (their alpha is 0).
#include "../common/noise.glsl"

uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;

in vec3 vWorld;
in float vLayer;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 p = vWorld.xz * 0.09 + vec2(ttime * 0.025, ttime * 0.011) * (1.0 + vLayer);
    float wisps = fbm2(p * 2.0 + vLayer * 3.1) * 0.7 + texture(MyTexture, p * 0.6).r * 0.3;
    float density = smoothstep(0.35, 0.85, wisps) * (1.0 - vLayer) * 0.16;
    density *= 1.0 - smoothstep(7.0, 15.0, length(vWorld.xz - vec2(0.8, -2.5)));
    density *= smoothstep(0.0, 3.0, ttime);
    outColour = vec4(vec3(0.55, 0.58, 0.64), density);
    outNormal = vec4(0.0);
    outMaterial = vec4(0.0);
}
