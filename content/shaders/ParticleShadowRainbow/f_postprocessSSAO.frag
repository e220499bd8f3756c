#version 430 compatibility
// First post pass: occlusion from the depth buffer, the city haze that distant things sink
// into, and a grade that keeps the spectrum saturated (no desaturation, a soft shoulder, so
// nothing blows out). The backdrop (drawn without depth) keeps its colour. Alpha carries how
// much of the pixel glows. "dump" = 1 shows the linear depth instead, for tuning.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight
uniform sampler2D TextureDepth;
uniform float ttime;
uniform float PosY;
uniform float dump;

const vec3 kCityHaze = vec3(0.06, 0.05, 0.07);

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    float d = texture(TextureDepth, vUV).r;
    vec3 colour = texture(Texture1, vUV).rgb;
    vec4 material = texture(Texture3, vUV);
    if (dump > 0.5) {
        gl_FragColor = vec4(vec3(fract(linearDepth(d) * 0.1)), 0.0);
        return;
    }
    vec3 c = colour;
    float glow = clamp(material.x, 0.0, 1.0);
    if (d < 0.99999) {
        float z = linearDepth(d);
        float ao = screenOcclusion(TextureDepth, vUV, resolution, z, 0.3);
        c = colour * mix(1.0, ao, clamp(material.z, 0.0, 1.0));
        c = mix(kCityHaze, c, exp(-z * 0.012));
    }
    c = c / (1.0 + 0.3 * c) * 1.3;
    glow = max(glow, smoothstep(0.75, 1.0, luma(c)) * 0.6);
    gl_FragColor = vec4(c, glow);
}
