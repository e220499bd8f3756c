#version 430 compatibility
// A plain lit material for meshes: the depth-camera scene builds it with its other programs
// and draws nothing with it.
layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;

out vec3 vNormal;
out vec3 vColour;

void main() {
    vNormal = mat3(Local) * inNormal;
    vColour = inColour;
    gl_Position = MV * Local * vec4(inPosition, 1.0);
}
