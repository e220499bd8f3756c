#version 430 compatibility
// Textured layers: a vertex goes through "MV" x "Local"; its colour and first texture
// coordinate pass on, and its world position for layers that shade by place.
uniform mat4 MV;
uniform mat4 Local;

out vec4 vColor;
out vec2 vTexCoord;
out vec3 vWorld;

void main() {
    vec4 world = Local * gl_Vertex;
    vWorld = world.xyz;
    vColor = gl_Color;
    vTexCoord = gl_MultiTexCoord0.xy;
    gl_Position = MV * world;
}
