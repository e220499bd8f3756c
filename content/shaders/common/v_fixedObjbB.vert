#version 430 compatibility
// A mesh laid flat on the ground (y = 0) as its shadow, cast along the show's key light:
// "MV" x "Local" (attributes: 0 position, 2 normal, 3 colour), world position passed on.
#include "lighting.glsl"

layout(location = 0) in vec3 inPosition;
layout(location = 2) in vec3 inNormal;
layout(location = 3) in vec3 inColour;

uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out float vHeight;

void main() {
    vec4 world = Local * vec4(inPosition, 1.0);
    vec3 l = normalize(kKeyDir);
    vHeight = max(world.y, 0.0);
    world.xz -= l.xz / l.y * world.y;
    world.y = 0.003;
    vWorld = world.xyz;
    gl_Position = MV * world;
}
