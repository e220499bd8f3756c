#version 430 compatibility
// The composite: the picture and its glow, the vignette and the grain; the show's last
// seconds fade out with the music, so it ends on its final picture going dark, not a cut.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D TextureBlur;
uniform sampler2D Texture1;
uniform float ttime;
uniform float aspect;

const float kFadeFrom = 93.8;
const float kEnd = 96.5;

void main() {
    vec3 c = texture(Texture1, vUV).rgb;
    c += texture(TextureBlur, vUV).rgb * 0.8;
    c *= vignette(vUV, aspect);
    c += filmGrain(vUV, ttime) * 0.03;
    c = c / (1.0 + 0.15 * max(c - 0.8, 0.0));
    float fade = 1.0 - smoothstep(kFadeFrom, kEnd, ttime);
    gl_FragColor = vec4(clamp(c * fade * fade, 0.0, 1.0), 1.0);
}
