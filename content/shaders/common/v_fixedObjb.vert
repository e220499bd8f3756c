#version 430 compatibility
// A mesh drawn through "MV" x "Local" (attributes: 0 position, 2 normal, 3 colour), with its
// world position, normal and colour passed on.
layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vColour;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vWorld = world.xyz;
    vNormal = mat3(Local) * inNormal;
    vColour = inColour;
    gl_Position = MV * world;
}
