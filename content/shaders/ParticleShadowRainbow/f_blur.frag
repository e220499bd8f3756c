#version 430 compatibility
// The quarter-size blur: a wide disc blur of the whole picture (the composite's out-of-focus
// image) with, in alpha, how much of it glows.
#include "../common/noise.glsl"

in vec2 vUV;

uniform sampler2D Texture1;
uniform float ttime;

void main() {
    vec2 texel = 1.0 / vec2(textureSize(Texture1, 0));
    float radius = 0.012;
    float aspect = texel.y / texel.x;
    float angle = hash12(vUV * 517.0) * 6.2831853;
    vec3 sum = vec3(0.0);
    float glow = 0.0;
    float weight = 0.0;
    const int kTaps = 24;
    for (int i = 0; i < kTaps; ++i) {
        float f = (float(i) + 0.5) / float(kTaps);
        float a = angle + float(i) * 2.39996;
        vec2 off = vec2(cos(a) / aspect, sin(a)) * radius * sqrt(f);
        vec4 s = texture(Texture1, vUV + off);
        float w = 1.0 - 0.5 * f;
        sum += s.rgb * w;
        glow += s.a * w;
        weight += w;
    }
    gl_FragColor = vec4(sum / weight, glow / weight);
}
