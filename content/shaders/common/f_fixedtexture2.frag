#version 430 compatibility
// "MyTexture" tinted by the vertex colour, into the colour output only.
uniform sampler2D MyTexture;

in vec4 vColor;
in vec2 vTexCoord;

layout(location = 0) out vec4 outColour;

void main() {
    outColour = texture(MyTexture, vTexCoord) * vColor;
}
