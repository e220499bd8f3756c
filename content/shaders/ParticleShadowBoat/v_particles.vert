#version 430 compatibility
// The boat scene's points: placed as every particle scene places them, and a share of those
// above the water drawn through "MVP2" (the view mirrored in the water plane) instead: the
// reflection, dimmer the deeper it lies and broken sideways by the ripples.
#include "../common/noise.glsl"
#include "../common/particle_points.glsl"

uniform mat4 MVP2;

const float kReflectedShare = 0.3;

void main() {
    placePoint();
    vShadow = 1.0;   // the scene has no light map
    vec4 p = gl_Vertex;
    uint id = uint(gl_VertexID);
    if (p.w > 0.5 && p.y > 0.05 && hash1(id, 7u) < kReflectedShare) {
        vec3 q = p.xyz;
        float ripple = valueNoise2(vec2(q.y * 9.0 + ttime * 1.3, q.x * 0.7 + q.z * 0.7));
        q.xz += (ripple - 0.5) * vec2(0.6, 0.6) * (0.05 + 0.12 * q.y);
        gl_Position = MVP2 * vec4(q, 1.0);
        vColour *= 0.55 * exp(-q.y * 0.45) * (0.6 + 0.8 * ripple);
    }
}
