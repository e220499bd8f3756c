#version 430 compatibility
// First post pass: occlusion from the depth buffer, the night mist that distant things sink
// into, and the colour grade. The sky, the water and the moon (drawn without depth) keep their
// colour. Alpha carries how much of the pixel should glow.
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

const vec3 kNightMist = vec3(0.045, 0.055, 0.075);

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    float d = texture(TextureDepth, vUV).r;
    vec3 colour = texture(Texture1, vUV).rgb;
    vec4 material = texture(Texture3, vUV);
    vec3 c = colour;
    float glow = clamp(material.x, 0.0, 1.0);
    if (d < 0.99999) {
        float z = linearDepth(d);
        float ao = screenOcclusion(TextureDepth, vUV, resolution, z, 0.3);
        c = colour * mix(1.0, ao, clamp(material.z, 0.0, 1.0));
        c = mix(kNightMist, c, exp(-z * 0.022));
    }
    c = grade(c);
    glow = max(glow, smoothstep(0.6, 0.95, luma(c)));
    gl_FragColor = vec4(c, glow);
}
