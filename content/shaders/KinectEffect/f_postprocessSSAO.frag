#version 430 compatibility
// First post pass: the night behind the points (ink dark, a faint warm haze in the middle,
// slow clouds of ink), occlusion where the plate has depth, and the colour grade. Alpha
// carries how much of the pixel should glow.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight
uniform sampler2D TextureDepth;
uniform float ttime;

vec3 night(vec2 uv) {
    vec3 top = vec3(0.010, 0.012, 0.018);
    vec3 low = vec3(0.030, 0.030, 0.036);
    vec3 c = mix(low, top, smoothstep(0.0, 1.0, uv.y));
    vec2 p = (uv - vec2(0.5, 0.45)) * vec2(1.78, 1.0);
    c += vec3(0.035, 0.028, 0.020) * exp(-dot(p, p) * 3.0);
    float ink = fbm2(uv * vec2(3.2, 1.8) + vec2(ttime * 0.015, -ttime * 0.006));
    c *= 0.8 + 0.45 * ink;
    return c;
}

void main() {
    vec2 resolution = vec2(textureSize(Texture1, 0));
    vec4 material = texture(Texture3, vUV);
    vec3 c = night(vUV);
    float glow = 0.0;
    if (material.y > 0.0) {
        vec3 colour = texture(Texture1, vUV).rgb / max(material.y, 1e-3);
        float d = texture(TextureDepth, vUV).r;
        float ao = 1.0;
        if (d < 0.99999 && material.z > 0.0) {
            ao = screenOcclusion(TextureDepth, vUV, resolution, linearDepth(d), 0.05);
        }
        colour *= mix(1.0, ao, material.z);
        // Points cover part of a pixel after the resolve: lay them over the night.
        c = mix(c, colour, clamp(material.y, 0.0, 1.0));
        glow = material.x * clamp(material.y, 0.0, 1.0);
    }
    c = grade(c);
    glow *= smoothstep(0.12, 0.6, luma(c));
    glow = max(glow, smoothstep(0.7, 1.0, luma(c)) * 0.5);
    gl_FragColor = vec4(c, glow);
}
