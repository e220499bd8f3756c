#version 430 compatibility
// The vertex colour. gl_FragColor goes to every enabled colour attachment, as fixed-function
// drawing does, so lines and quads drawn into a scene target fill all of its outputs.
in vec4 vColor;

void main() {
    gl_FragColor = vColor;
}
