#version 430 compatibility
// The textured program for surfaces lying in the world (reflections on the water): as
// v_fixed, and the world position ("Local" x vertex) passes on for patterns that stay put.
uniform mat4 MV;
uniform mat4 Local;

out vec4 vColor;
out vec2 vTexCoord;
out vec3 vWorld;

void main() {
    vec4 world = Local * gl_Vertex;
    gl_Position = MV * world;
    vColor = gl_Color;
    vTexCoord = gl_MultiTexCoord0.xy;
    vWorld = world.xyz;
}
