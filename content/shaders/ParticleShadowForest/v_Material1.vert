#version 430 compatibility
// Dark geometry of the clearing: the second standing group and the walkers. "Local" places
// the mesh in the world; "IsReflection" mirrors it under the wet ground, "IsShadow" lays it
// flat on the ground as its shadow from the moon.
#include "forest.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;
uniform float ttime;
uniform float IsShadow;
uniform float IsReflection;

out vec3 vWorld;
out vec3 vNormal;
out vec3 vColour;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vec3 normal = normalize(mat3(Local) * inNormal);
    if (IsShadow > 0.5) {
        vec3 l = normalize(kMoonDir);
        world.xz -= l.xz / l.y * world.y;
        world.y = 0.004;
        normal = vec3(0.0, 1.0, 0.0);
    }
    if (IsReflection > 0.5) {
        world.y = -world.y;
        normal.y = -normal.y;
    }
    vWorld = world.xyz;
    vNormal = normal;
    vColour = inColour;
    gl_Position = MV * world;
}
