#version 430 compatibility
// The composite: a soft depth of field (the picture goes over to its quarter-size blur the
// farther a pixel lies from the focus, which follows what the camera looks at: the nearest of
// a few depths around the middle of the view), the glow, a vignette and grain.
#include "../../common/noise.glsl"
#include "../../common/lighting.glsl"
#include "../../common/post.glsl"

in vec2 vUV;

uniform sampler2D TextureBlur;
uniform sampler2D Texture1;
uniform sampler2D TextureDepth;
uniform float ttime;
uniform float aspect;

float focusDistance() {
    float z = 60.0;
    for (int i = 0; i < 5; ++i) {
        vec2 at = vec2(0.5) + vec2(float(i - 2) * 0.06, float(i % 2) * 0.05 - 0.06);
        z = min(z, linearDepth(texture(TextureDepth, at).r));
    }
    return max(z, 2.0);
}

void main() {
    vec3 c = texture(Texture1, vUV).rgb;
    vec4 blur = texture(TextureBlur, vUV);
    float d = texture(TextureDepth, vUV).r;
    float focus = focusDistance();
    float z = linearDepth(d);
    float spread = clamp(abs(z - focus) / (focus * 0.8), 0.0, 1.0);
    float amount = smoothstep(0.08, 1.0, spread) * (d < 0.99999 ? 0.9 : 0.55);
    c = mix(c, blur.rgb, amount);
    c += blur.rgb * clamp(blur.a, 0.0, 1.0) * 0.8;
    c *= vignette(vUV, aspect);
    c += filmGrain(vUV, ttime) * 0.03;
    c = c / (1.0 + 0.15 * max(c - 0.8, 0.0));
    gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
