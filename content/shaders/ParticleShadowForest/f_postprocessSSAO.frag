#version 430 compatibility
// The forest's only post pass, so its result is the finished picture: occlusion from the
// depth buffer, haze by distance (the sky, written with material w = 0, keeps its own
// colour), the grade, a vignette and fine grain.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"
#include "forest.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight, w 0 for the sky
uniform sampler2D TextureDepth;
uniform float ttime;
uniform float PosY;
uniform float aspect;

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    float d = texture(TextureDepth, vUV).r;
    vec3 c = texture(Texture1, vUV).rgb;
    vec4 material = texture(Texture3, vUV);
    if (d >= 0.99999) {
        c = kForestHaze;                 // nothing drawn: the haze
    } else if (material.w > 0.5) {
        float z = linearDepth(d);
        float ao = screenOcclusion(TextureDepth, vUV, resolution, z, 0.3);
        c *= mix(1.0, ao, material.z);
        c = mix(kForestHaze, c, exp(-z * 0.022));
    }
    c = grade(c);
    c *= vignette(vUV, aspect);
    c += filmGrain(vUV, ttime) * 0.03;
    c = c / (1.0 + 0.15 * max(c - 0.8, 0.0));
    gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
