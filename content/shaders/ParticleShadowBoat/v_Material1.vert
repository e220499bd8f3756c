#version 430 compatibility
// The island, the statues and the statue rows: "Local" places each copy (mirrored in the
// water for "Refl" = 1), "MV" is the view.
layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform mat4 LightMVP;
uniform float ttime;
uniform float object;
uniform float Refl;
uniform float IsShadow;
uniform float PosY;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vColour;
out vec3 vMesh;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    world.y += PosY;
    vWorld = world.xyz;
    vNormal = mat3(Local) * inNormal;
    vColour = inColour;
    vMesh = inPosition;
    gl_Position = MV * world;
}
