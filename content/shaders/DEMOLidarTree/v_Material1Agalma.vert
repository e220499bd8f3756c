#version 430 compatibility
// The statues of the climax: marble figures placed by "Local"; they rise out of the ground
// (the fragment stage cuts them off below it).
#include "climax.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vMesh;
out float vDist;
flat out float vKind;
flat out float vMirror;
flat out float vRising;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vec4 eye = MV * world;
    vWorld = world.xyz;
    vNormal = mat3(Local) * inNormal;
    vMesh = inPosition;
    vDist = length(eye.xyz);
    vKind = kClimaxStatue;
    vMirror = 0.0;
    // How far the statue still stands in the ground (its placement moves it up out of it).
    vRising = clamp(-Local[3].y, 0.0, 1.0);
    gl_Position = gl_ProjectionMatrix * eye;
}
