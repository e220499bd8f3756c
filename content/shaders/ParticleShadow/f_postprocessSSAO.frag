#version 430 compatibility
// First post pass: occlusion from the depth buffer, haze, the night sky and the dark ground
// behind everything, and the colour grade. Alpha carries how much of the pixel should glow.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight
uniform sampler2D TextureDepth;
uniform sampler2D Sky;
uniform vec3 resolution;
uniform float ttime;

const float kEyeHeight = 0.5;

void main() {
    float aspect = resolution.x / max(resolution.y, 1.0);
    float d = texture(TextureDepth, vUV).r;
    vec3 dir = viewRay(vUV, aspect, 55.0);
    vec3 c;
    float glow = 0.0;
    if (d >= 0.99999) {
        c = dir.y < 0.0 ? darkGround(dir, kEyeHeight, ttime) : nightSky(Sky, dir);
        // Soft horizon line.
        c += kHaze * 0.35 * exp(-abs(dir.y) * 60.0);
    } else {
        vec3 colour = texture(Texture1, vUV).rgb;
        vec4 material = texture(Texture3, vUV);
        float z = linearDepth(d);
        float ao = screenOcclusion(TextureDepth, vUV, resolution.xy, z, 0.35);
        c = colour * mix(1.0, ao, material.z);
        c = applyHaze(c, z, 0.012);
        glow = material.x;
    }
    c = grade(c);
    glow = max(glow, smoothstep(0.55, 0.95, luma(c)));
    gl_FragColor = vec4(c, glow);
}
