#version 430 compatibility
// Mist sheets: a vertex goes through "MV" x "Local"; its world position, first texture
// coordinate and colour pass on.
uniform mat4 MV;
uniform mat4 Local;

out vec3 vWorld;
out vec2 vTexCoord;
out vec4 vColor;

void main() {
    vec4 world = Local * gl_Vertex;
    vWorld = world.xyz;
    vTexCoord = gl_MultiTexCoord0.xy;
    vColor = gl_Color;
    gl_Position = MV * world;
}
