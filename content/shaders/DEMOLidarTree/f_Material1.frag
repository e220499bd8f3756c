#version 430 compatibility
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vViewNormal;
in vec3 vColour;
in float vDist;

uniform float IsBlack;
uniform float ttime;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    if (IsBlack < 0.5) {
        // The bake: the position, and as fourth value an occlusion term in 0..10 like the
        // scan files carry: open where the surface faces the sky and stands high, dark low
        // down and on faces that look sideways or down (the insides of crowns, under walls).
        float sky = clamp(0.5 + 0.5 * n.y, 0.0, 1.0);
        float lift = smoothstep(-0.5, 3.5, vWorld.y);
        float shade = 0.8 + 0.2 * clamp(dot(vColour, vec3(0.333)), 0.0, 1.0);
        float occlusion = 10.0 * clamp(pow(sky, 1.3) * mix(0.55, 1.0, lift) * shade, 0.0, 1.0);
        outColour = vec4(vWorld, occlusion);
        outNormal = vec4(packNormal(n), 1.0);
        outMaterial = vec4(0.0, kKindPoint, 0.0, 1.0);
        return;
    }
    // A silhouette: ink black with a faint cool rim where the surface turns away.
    vec3 vn = normalize(vViewNormal);
    float rim = pow(1.0 - abs(vn.z), 4.0);
    vec3 c = vec3(0.008, 0.009, 0.012) + vec3(0.05, 0.065, 0.09) * rim * exp(-vDist * 0.04);
    outColour = vec4(c, 0.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(0.0, kKindSilhouette, 0.0, 1.0);
}
