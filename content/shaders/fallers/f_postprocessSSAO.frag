#version 430 compatibility
// First post pass: occlusion from the depth buffer, haze with distance, and the colour grade.
// Everything behind the scene is drawn as geometry (the backdrop). Alpha carries how much of
// the pixel should glow.
// NOTE: far away (the backdrop at about 120 units) the depth buffer holds only coarse steps,
// so nothing here may switch on a far distance or on an empty depth: the haze saturates by
// kHazeReach and the occlusion fades out well before the steps get coarse.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"

in vec2 vUV;

uniform sampler2D Texture1;      // colour
uniform sampler2D Texture2;      // packed normal
uniform sampler2D Texture3;      // x glow, y particle, z occlusion weight
uniform sampler2D TextureDepth;
uniform float dump;              // 1: show the linear depth instead (a look at the buffers)
uniform float ttime;
uniform float PosY;

const float kHazeReach = 40.0;
const float kOcclusionReach = 25.0;

void main() {
    vec2 resolution = vec2(textureSize(TextureDepth, 0));
    float d = texture(TextureDepth, vUV).r;
    vec3 c = texture(Texture1, vUV).rgb;
    vec4 material = texture(Texture3, vUV);
    // Where nothing was drawn the picture holds the clear colour, which the haze takes in.
    float z = linearDepth(d);
    if (dump > 0.5) {
        gl_FragColor = vec4(vec3(z / 20.0), 0.0);
        return;
    }
    if (z < kOcclusionReach) {
        float ao = screenOcclusion(TextureDepth, vUV, resolution, z, 0.3);
        float weight = clamp(material.z, 0.0, 1.0) * (1.0 - smoothstep(15.0, kOcclusionReach, z));
        c *= mix(1.0, ao, weight);
    }
    c = applyHaze(c, min(z, kHazeReach), 0.008);
    float glow = clamp(material.x, 0.0, 1.0);
    c = grade(c);
    glow = max(glow, smoothstep(0.55, 0.95, luma(c)));
    gl_FragColor = vec4(c, glow);
}
