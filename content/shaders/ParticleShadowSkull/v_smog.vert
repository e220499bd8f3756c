#version 430 compatibility
// Mist sheets: world position and the sheet's place in the stack (vertex alpha) pass on.
uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out float vLayer;

void main() {
    vec4 world = Local * gl_Vertex;
    gl_Position = MV * world;
    vWorld = world.xyz;
    vLayer = gl_Color.a;
}
