#version 430 compatibility
// Marble in the warm key light: the statues, the birds and the plate. A statue is cut off at
// the ground with a glowing seam while it rises; the plate dissolves in from t = 77.2 and its
// letters glow; the mirrored plate is a dim, rippled reflection.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"
#include "climax.glsl"

in vec3 vWorld;
in vec3 vNormal;
in vec3 vMesh;
in float vDist;
flat in float vKind;
flat in float vMirror;
flat in float vRising;

uniform float ttime;

layout(location = 0) out vec4 outColour;
layout(location = 1) out vec4 outNormal;
layout(location = 2) out vec4 outMaterial;

const float kPlateStart = 77.2;

void main() {
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    float glow = 0.0;
    if (vMirror < 0.5 && vWorld.y < 0.0) discard;   // under the ground
    vec3 marble = vec3(0.9, 0.87, 0.82) * (0.88 + 0.12 * valueNoise3(vMesh * 0.35));
    vec3 c = marble * climaxLight(n);
    if (vKind == kClimaxStatue) {
        // A glowing seam where the statue comes out of the ground, while it rises or sinks.
        glow = smoothstep(0.35, 0.0, vWorld.y) * 0.9 * vRising;
        c += vec3(1.0, 0.72, 0.4) * glow;
    } else if (vKind == kClimaxPlate) {
        float age = ttime - kPlateStart;
        float edge = age * 0.9 - (valueNoise3(vMesh * 3.0) * 0.8 + (vMesh.x + 2.4) / 4.8 * 0.6);
        if (edge < 0.0) discard;
        float front = 1.0 - smoothstep(0.0, 0.12, edge);
        // The letters stand proud of the plate (z above its face): they glow warm.
        float letter = smoothstep(0.12, 0.16, vMesh.z);
        vec3 slate = vec3(0.13, 0.13, 0.16) * climaxLight(n) + vec3(0.015);
        c = mix(slate, vec3(1.0, 0.84, 0.58) * (0.75 + 0.25 * climaxLight(n)), letter);
        glow = letter * 0.55 + front;
        c += vec3(1.0, 0.75, 0.45) * front;
    } else {
        c = mix(c, c * vec3(0.8, 0.84, 0.92), 0.3) + vec3(0.05, 0.05, 0.06);   // birds: pale, a little cooler
        glow = 0.15;
    }
    c = applyHaze(c, vDist, 0.02);
    if (vMirror > 0.5) {
        float ripple = 0.6 + 0.4 * valueNoise3(vec3(vWorld.xz * vec2(0.8, 3.0), ttime * 0.4));
        c = mix(kHaze * 0.4, c, 0.35 * ripple * exp(vWorld.y * 0.25));
        glow *= 0.3;
    }
    outColour = vec4(c, 0.0);
    outNormal = vec4(packNormal(n), 1.0);
    outMaterial = vec4(clamp(glow, 0.0, 1.0), kKindMarble, 0.0, 1.0);
}
