// The composite: the picture, its glow from the quarter-size blur, a vignette and grain.
// Include after noise, lighting and post. A scene may #define COMPOSITE_GLOW (how much of
// the glow is added) before including it.
#ifndef COMPOSITE_GLOW
#define COMPOSITE_GLOW 0.55
#endif
in vec2 vUV;

uniform sampler2D TextureBlur;
uniform sampler2D Texture1;
uniform float ttime;
uniform float aspect;

void main() {
    vec3 c = texture(Texture1, vUV).rgb;
    vec3 glow = texture(TextureBlur, vUV).rgb;
    c += glow * COMPOSITE_GLOW;
    c *= vignette(vUV, aspect);
    c += filmGrain(vUV, ttime) * 0.035;
    c = c / (1.0 + 0.15 * max(c - 0.8, 0.0));   // a soft shoulder, never clipped hard
    gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
