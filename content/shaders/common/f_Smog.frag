#version 430 compatibility
// Low city mist over the wet ground: drifting banks of noise tinted by "MyTexture" (the fog
// gradient; the image is loaded without a red/blue swap, so its channels are swizzled back),
// thinner on the higher sheets ("height") and at the sheets' edges. Blended by the caller.
#include "noise.glsl"
#include "lighting.glsl"

in vec3 vWorld;
in vec2 vTexCoord;
in vec4 vColor;

uniform sampler2D MyTexture;
uniform float ttime;
uniform float height;

void main() {
    vec2 p = vWorld.xz * vec2(0.16, 0.24) + vec2(ttime * 0.05, ttime * 0.02) + height * 3.7;
    float banks = fbm2(p) * 0.7 + fbm2(p * 3.1 + vec2(ttime * 0.04, 0.0)) * 0.3;
    float density = smoothstep(0.35, 0.85, banks);
    float edge = 1.0 - smoothstep(0.7, 1.0, max(abs(vTexCoord.x * 2.0 - 1.0), abs(vTexCoord.y * 2.0 - 1.0)));
    vec3 tint = texture(MyTexture, vec2(0.5, 0.35)).bgr;
    vec3 c = mix(kHaze * 1.6, tint, 0.5) * vColor.rgb;
    float alpha = density * 0.22 * edge * exp(-height * 0.8) * vColor.a;
    gl_FragColor = vec4(c, alpha);
}
