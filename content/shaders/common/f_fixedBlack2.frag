#version 430 compatibility
// Black at the vertex colour's opacity: fades and shadows drawn over the picture. Written to
// every enabled colour attachment, as fixed-function drawing does.
in vec4 vColor;

void main() {
    gl_FragColor = vec4(0.0, 0.0, 0.0, vColor.a);
}
