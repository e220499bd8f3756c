#version 430 compatibility
// The shared untextured and textured programs: a vertex goes through "MV" x "Local", and its
// colour and first texture coordinate pass on as the fixed-function pipeline would pass them.
uniform mat4 MV;
uniform mat4 Local;

out vec4 vColor;
out vec2 vTexCoord;

void main() {
    gl_Position = MV * Local * gl_Vertex;
    vColor = gl_Color;
    vTexCoord = gl_MultiTexCoord0.xy;
}
