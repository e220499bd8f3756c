#version 430 compatibility
// The composite: the picture, its warm glow from the quarter-size blur, a vignette and a
// fine grain.
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"

in vec2 vUV;

uniform sampler2D TextureBlur;
uniform sampler2D Texture1;
uniform float ttime;
uniform float aspect;

void main() {
    vec3 c = texture(Texture1, vUV).rgb;
    vec3 glow = texture(TextureBlur, vUV).rgb;
    c += glow * vec3(0.95, 0.85, 0.7) * 0.9;
    c *= vignette(vUV, aspect);
    c += filmGrain(vUV, ttime) * 0.03;
    c = c / (1.0 + 0.15 * max(c - 0.8, 0.0));   // a soft shoulder, never clipped hard
    gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
