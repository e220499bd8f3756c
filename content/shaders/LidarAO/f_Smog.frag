#version 430 compatibility
// A fog slice: drifting patches of thin red haze, so that forty of them stacked make a
// translucent layer with gaps, not a wall. Fades in and out with its window (27 .. 51.2) and
// towards the edges of the park. Only the colour output changes; the normal and material
// outputs are left as they were (alpha 0 under the scene's blend).
#include "../common/noise.glsl"

in vec4 vColor;
in vec3 vWorld;

uniform float ttime;
uniform float slice;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

void main() {
    vec2 p = vWorld.xz * 1000.0;   // metres
    vec2 drift = vec2(ttime * 0.9, ttime * 0.35) + vec2(slice * 3.1, slice * 1.7);
    float n = fbm2((p + drift) * 0.045 + vec2(slice * 0.37));
    float patches = smoothstep(0.45, 0.78, n);
    float window = smoothstep(27.0, 29.0, ttime) * (1.0 - smoothstep(49.7, 51.2, ttime));
    float edge = 1.0 - smoothstep(30.0, 55.0, length(p));
    // Thicker near the ground, thinning upwards.
    float height = 1.0 - 0.6 * slice / 40.0;
    float a = vColor.a * 1.3 * patches * window * edge * height;
    outColour = vec4(vColor.rgb, a);
    outNormal = vec4(0.0);
    outMaterial = vec4(0.0);
}
