#version 430 compatibility
// The closing scene's sky cube: the fixed-function projection, then "MV" x "Local"; the
// colour and texture coordinate pass on, with the direction from the cube's middle.
uniform mat4 MV;
uniform mat4 Local;

out vec4 vColor;
out vec2 vTexCoord;
out vec3 vDirection;

void main() {
    gl_Position = gl_ProjectionMatrix * (MV * (Local * gl_Vertex));
    vColor = gl_Color;
    vTexCoord = gl_MultiTexCoord0.xy;
    vDirection = gl_Vertex.xyz;
}
