#version 430 compatibility
// "MyTexture" (unit 0 unless a scene binds it elsewhere) tinted by the vertex colour; written
// to every enabled colour attachment, as fixed-function drawing does.
uniform sampler2D MyTexture;

in vec4 vColor;
in vec2 vTexCoord;

void main() {
    gl_FragColor = texture(MyTexture, vTexCoord) * vColor;
}
