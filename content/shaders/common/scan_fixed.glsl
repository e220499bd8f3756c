// The scan scenes' fixed-function stand-in: a vertex goes through "MP" x "MV" x "Local", its
// colour and first texture coordinate pass on, and its position in "Local" space too.
uniform mat4 MV;
uniform mat4 MP;
uniform mat4 Local;

out vec4 vColor;
out vec2 vTexCoord;
out vec3 vLocal;

void main() {
    gl_Position = MP * MV * Local * gl_Vertex;
    vColor = gl_Color;
    vTexCoord = gl_MultiTexCoord0.xy;
    vLocal = gl_Vertex.xyz;
}
