#version 430 compatibility
// The walkers: "Local" places the walk-cycle mesh in the world; "IsReflection" mirrors it
// under the wet ground.
layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform float IsReflection;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vColour;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vec3 normal = mat3(Local) * inNormal;
    if (IsReflection > 0.5) {
        world.y = -world.y;
        normal.y = -normal.y;
    }
    vWorld = world.xyz;
    vNormal = normal;
    vColour = inColour;
    gl_Position = MV * world;
}
