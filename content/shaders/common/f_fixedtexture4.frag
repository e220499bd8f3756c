#version 430 compatibility
// A picture reflected in moving water: "MyTexture" seen through horizontal ripples that drift
// with "ttime", broken into glitter toward the far end. Texture coordinates: u across the
// streak (0..1), v along it from near (0) to far (1). Tinted by the vertex colour and meant
// for additive blending.
#include "noise.glsl"

uniform sampler2D MyTexture;
uniform float ttime;

in vec4 vColor;
in vec2 vTexCoord;
in vec3 vWorld;

void main() {
    float u = vTexCoord.x;
    float v = vTexCoord.y;
    float across = abs(u - 0.5) * 2.0;
    // Ripples: bands across the streak, denser far away, drifting toward the eye.
    float bands = valueNoise2(vec2(u * 9.0 + 0.6 * sin(v * 40.0 + ttime), v * 180.0 - ttime * 1.6));
    float glitter = pow(bands, 3.0) * 2.2;
    float wobble = 0.08 * sin(v * 90.0 + ttime * 2.3);
    vec3 picture = texture(MyTexture, vec2(0.5 + (u - 0.5) * 0.5 + wobble, 0.35 + 0.3 * v)).rgb;
    float light = dot(picture, vec3(0.333)) * 0.6 + 0.4;
    float edge = 1.0 - smoothstep(0.35, 1.0, across + 0.35 * (1.0 - bands));
    float ends = smoothstep(0.0, 0.12, v) * (1.0 - smoothstep(0.75, 1.0, v));
    gl_FragColor = vec4(vColor.rgb * light * glitter * edge * ends, 1.0);
}
