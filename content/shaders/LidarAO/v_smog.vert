#version 430 compatibility
// A fog slice: a horizontal quad through "MV" (projection x model-view) and "Local".
uniform mat4 MV;
uniform mat4 Local;

out vec4 vColor;
out vec3 vWorld;

void main() {
    vec4 world = Local * gl_Vertex;
    gl_Position = MV * world;
    vColor = gl_Color;
    vWorld = world.xyz;
}
