#version 430 compatibility
// First post pass of the skull scene: marble white on black. Occlusion from the depth buffer
// on the subjects and the floor, a faint cold glow behind them, the mist sheets (drawn
// without depth) laid over the dark, and the grade. Alpha carries how much should glow.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour (mist included)
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight
uniform sampler2D TextureDepth;
uniform sampler2D Sky;
uniform vec3 resolution;
uniform float ttime;

void main() {
    float aspect = resolution.x / max(resolution.y, 1.0);
    float d = texture(TextureDepth, vUV).r;
    vec4 colour = texture(Texture1, vUV);
    vec3 c;
    float glow = 0.0;
    if (d >= 0.99999) {
        // The dark: near black, a breath of cold light behind the subjects.
        vec2 p = (vUV - vec2(0.58, 0.62)) * vec2(aspect, 1.0);
        c = vec3(0.012, 0.013, 0.017) + vec3(0.05, 0.055, 0.07) * exp(-dot(p, p) * 3.0);
        c += colour.rgb;   // the mist over it
    } else {
        vec4 material = texture(Texture3, vUV);
        float z = linearDepth(d);
        float ao = screenOcclusion(TextureDepth, vUV, resolution.xy, z, 0.3);
        c = colour.rgb * mix(1.0, ao * ao, material.z);
        c = mix(vec3(0.012, 0.013, 0.017), c, exp(-max(z - 9.0, 0.0) * 0.05));
        glow = material.x;
    }
    c = grade(c);
    glow = max(glow, smoothstep(0.45, 0.9, luma(c)));
    gl_FragColor = vec4(c, glow);
}
