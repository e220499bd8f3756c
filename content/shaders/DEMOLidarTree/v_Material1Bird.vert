#version 430 compatibility
// The birds ("IsPlate" 0), whose wings beat, and the group's plate ("IsPlate" 1), which
// "Flip" 1 mirrors in the ground as its reflection.
#include "climax.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform float ttime;
uniform float Flip;
uniform float IsPlate;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vMesh;
out float vDist;
flat out float vKind;
flat out float vMirror;
flat out float vRising;

void main() {
    vec3 p = inPosition;
    vec3 n = inNormal;
    if (IsPlate < 0.5) {
        // The wing beat: each wing turns about the body's long axis, more towards its tip.
        float reach = smoothstep(0.08, 0.85, abs(p.x));
        float phase = Local[3].x * 0.7 + Local[3].z * 0.3;   // each bird on its own beat
        float a = sin(ttime * 7.5 + phase) * 0.65 * reach * sign(p.x);
        float c = cos(a), s = sin(a);
        vec2 xy = vec2(p.x, p.y - 1.0);
        p.xy = vec2(c * xy.x - s * xy.y, s * xy.x + c * xy.y + 1.0);
        n.xy = vec2(c * n.x - s * n.y, s * n.x + c * n.y);
    }
    vec4 world = Local * vec4(p, 1.0);
    vec3 normal = mat3(Local) * n;
    if (Flip > 0.5) {
        world.y = -world.y;
        normal.y = -normal.y;
    }
    vec4 eye = MV * world;
    vWorld = world.xyz;
    vNormal = normal;
    vMesh = inPosition;
    vDist = length(eye.xyz);
    vKind = IsPlate > 0.5 ? kClimaxPlate : kClimaxBird;
    vMirror = Flip;
    vRising = 0.0;
    gl_Position = gl_ProjectionMatrix * eye;
}
