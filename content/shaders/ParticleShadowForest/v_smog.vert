#version 430 compatibility
// The smog layer's geometry (sky dome, ground, mist slabs) comes in world units.
uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;

void main() {
    vec4 world = Local * gl_Vertex;
    vWorld = world.xyz;
    gl_Position = MV * world;
}
