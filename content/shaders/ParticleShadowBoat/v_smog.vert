#version 430 compatibility
// A sheet of mist: the unit square placed by "Local", seen through "MV".
uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out vec2 vTexCoord;

void main() {
    vec4 world = Local * gl_Vertex;
    vWorld = world.xyz;
    vTexCoord = gl_MultiTexCoord0.xy;
    gl_Position = MV * world;
}
