#version 430 compatibility
// The flat shadow of a mesh: black, softer where it was cast by parts high above the ground.
// Blended by the caller (source alpha); written to every colour attachment.
in vec3 vWorld;
in float vHeight;

void main() {
    gl_FragColor = vec4(0.0, 0.0, 0.0, 0.5 * exp(-vHeight * 0.45));
}
