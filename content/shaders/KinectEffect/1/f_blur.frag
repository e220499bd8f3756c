#version 430 compatibility
// The quarter-size glow source: a wide, soft disc blur of the glowing parts of the picture.
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;
uniform float ttime;

void main() {
    vec2 texel = 1.0 / vec2(textureSize(Texture1, 0));
    float aspect = texel.y / texel.x;
    vec3 sum = vec3(0.0);
    float weight = 0.0;
    const int kTaps = 32;
    for (int i = 0; i < kTaps; ++i) {
        float f = (float(i) + 0.5) / float(kTaps);
        float a = float(i) * 2.39996;
        vec2 off = vec2(cos(a) / aspect, sin(a)) * 0.03 * sqrt(f);
        vec4 s = texture(Texture1, vUV + off);
        float w = 1.0 - 0.7 * f;
        sum += s.rgb * s.a * w;
        weight += w;
    }
    gl_FragColor = vec4(sum / weight, 1.0);
}
