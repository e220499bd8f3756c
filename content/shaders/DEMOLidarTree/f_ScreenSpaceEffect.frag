#version 430 compatibility
// The first post pass: the night behind the scan, haze by distance, and the grade. Alpha
// carries how much of the pixel should glow.
//
// Units as the scene binds them: 0 the scene colour ("Texture1"), 1 the scene depth
// ("Texture1Depth"; "Texture2" shares that unit), 2 the material output ("Texture3": x glow,
// y kind), 3 the depth again ("TextureDepth"), 30 the sky image. "MVP" is the scene camera.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"

in vec2 vUV;

uniform sampler2D Texture1;
uniform sampler2D Texture1Depth;
uniform sampler2D Texture3;
uniform sampler2D TextureDepth;
uniform sampler2D Skybox;
uniform mat4 MVP;
uniform vec3 resolution;
uniform vec3 mouse;
uniform float time;
uniform float PosY;

// How strongly the eye-dome shading darkens the scan's edges and creases.
const float kEyeDome = 0.55;

// From the sky cube's last frame on, the sky image itself is drawn here.
const float kSkyImageFrom = 30.4;

vec3 unproject(mat4 inverseMVP, vec2 uv, float z) {
    vec4 p = inverseMVP * vec4(uv * 2.0 - 1.0, z, 1.0);
    return p.xyz / p.w;
}

void main() {
    vec3 colour = texture(Texture1, vUV).rgb;
    float d = texture(TextureDepth, vUV).r;
    vec4 material = texture(Texture3, vUV);
    mat4 inverseMVP = inverse(MVP);
    vec3 nearPoint = unproject(inverseMVP, vUV, -1.0);
    vec3 dir = normalize(unproject(inverseMVP, vUV, 1.0) - nearPoint);

    vec2 texel = 1.0 / vec2(textureSize(TextureDepth, 0));
    float edlRadius = max(1.0, resolution.y / 360.0) * 1.4;
    vec3 c;
    float glow = 0.0;
    if (d >= 0.99999) {
        // Nothing of the scene here: the night. Up to 30.4 the sky cube has added its stars
        // (they are in the colour already); from then on the sky image comes from here.
        // A haze that is brightest at the horizon and fades smoothly up into the night and
        // down into the dark ground.
        float up = clamp(dir.y, 0.0, 1.0);
        vec3 night = mix(kHaze * 0.9, vec3(0.012, 0.015, 0.026), pow(up, 0.5));
        if (dir.y < 0.0) night = mix(kHaze * 0.9, vec3(0.02, 0.02, 0.024), smoothstep(0.0, 0.25, -dir.y));
        if (time >= kSkyImageFrom) night = dir.y >= 0.0 ? nightSky(Skybox, dir) : night;
        c = night + colour;
        // A gap between the points of a near surface takes their colour, a little darker.
        int covered = 0;
        for (int i = 0; i < 8; ++i) {
            float a = float(i) * 0.78539816;
            covered += texture(TextureDepth, vUV + vec2(cos(a), sin(a)) * texel * edlRadius).r < 0.99999 ? 1 : 0;
        }
        if (covered >= 6) c = scanGapFill(Texture1, TextureDepth, vUV, texel, edlRadius) * 0.7;
    } else {
        float z = sceneDepth(d);
        c = colour;
        // Eye-dome shading: edges and creases of the scan darken, faces stay lit; it fades
        // with distance so the far landscape does not crawl.
        int covered;
        float edl = scanEyeDome(TextureDepth, vUV, texel, d, kSceneNear, kSceneFar, edlRadius, kEyeDome, covered);
        edl = mix(1.0, edl, exp(-max(z - 15.0, 0.0) / 40.0));
        if (abs(material.y - kKindPoint) < 0.1) c *= mix(0.45, 1.0, edl);
        // Silhouettes keep their ink; everything else sinks into the haze with distance.
        if (abs(material.y - kKindSilhouette) > 0.1) c = applyHaze(c, z, 0.006);
        glow = material.x;
    }
    c = grade(c);
    // Bright surfaces glow; the stars stay sharp.
    if (d < 0.99999) glow = max(glow, smoothstep(0.6, 1.0, luma(c)) * 0.6);
    gl_FragColor = vec4(c, glow);
}
