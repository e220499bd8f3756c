#version 430 compatibility
// A textured fixed program that also hands on the world position: "MV" x "Local" as the
// other fixed programs, vertex colour and first texture coordinate passed on.
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
