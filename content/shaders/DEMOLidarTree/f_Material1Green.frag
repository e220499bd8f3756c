#version 430 compatibility
// The floral ornament (its red and blue channels come swapped and are turned back). The
// mosaic grows out from its middle from t = 43.6 and its ivory and gold glow; the frame
// draws itself from the corners along the edges.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/post.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"

in vec2 vUV;
in vec3 vWorld;
in float vDist;

uniform sampler2D texture2d_floral;
uniform float IsFrame;
uniform float ttime;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

const float kStart = 43.6;

vec3 floral(vec2 uv) { return texture(texture2d_floral, uv).bgr; }

void main() {
    float age = ttime - kStart;
    if (IsFrame > 0.5) {
        // Band width in picture heights; the picture's aspect from the quad's derivatives.
        float aspect = abs(dFdy(vUV.y)) / max(abs(dFdx(vUV.x)), 1e-6);
        vec2 p = vec2(vUV.x * aspect, vUV.y);
        float ax = min(p.x, aspect - p.x);
        float ay = min(p.y, 1.0 - p.y);
        float edge = min(ax, ay);
        float band = 0.085;
        if (edge > band) discard;
        // Along the band from the nearest corner: the frame grows from the four corners.
        float along = max(ax, ay);
        float grown = smoothstep(0.0, 0.1, age * 0.45 - along);
        if (grown <= 0.01) discard;
        // The ornament runs along the band, half a tile across its width.
        vec2 tileUV = ay <= ax ? vec2(p.x, ay) / band : vec2(p.y, ax) / band;
        vec3 c = floral(tileUV * vec2(0.5, 0.5));
        float line = smoothstep(0.006, 0.0, abs(edge - band + 0.008));
        vec3 gold = vec3(0.78, 0.62, 0.34);
        c = c * 0.9 + gold * line * 1.2;
        outColour = vec4(c * grown, 0.0);
        outNormal = vec4(0.5, 0.5, 1.0, 1.0);
        outMaterial = vec4(line * 0.6 + 0.15 * luma(c), kKindFloral, 0.0, 1.0);
        return;
    }
    // The mosaic: a disc of the ornament, five tiles across, lit from within as it grows.
    vec2 q = vUV * 2.0 - 1.0;
    float r = length(q);
    float reach = smoothstep(0.0, 1.0, age / 3.5) * 1.08;
    if (r > 1.0 || r > reach) discard;
    vec3 c = floral(vUV * 5.0);
    float bright = smoothstep(0.25, 0.7, luma(c));
    // Once it has grown, the ink between the ornament opens: a lattice of light over the
    // ground, through which the plate's reflection shows.
    float ink = 1.0 - smoothstep(0.06, 0.14, luma(c));
    if (ink > 0.5 && age > 4.0 && r < 0.93) discard;
    float front = smoothstep(0.12, 0.0, reach - r) * step(r, reach);
    float ring = smoothstep(0.02, 0.0, abs(r - 0.97));
    float breathe = 0.85 + 0.15 * sin(ttime * 0.8 - r * 3.0);
    c = c * 0.35 + c * bright * 1.1 * breathe + vec3(1.0, 0.8, 0.5) * (front * 0.8 + ring * 0.9);
    c = applyHaze(c, vDist, 0.03);
    outColour = vec4(c, 0.0);
    outNormal = vec4(0.5, 1.0, 0.5, 1.0);
    outMaterial = vec4(clamp(bright * 0.45 + front + ring * 0.6, 0.0, 1.0), kKindFloral, 0.0, 1.0);
}
