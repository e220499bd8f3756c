// The full-screen quad's vertex stage: positions are already in clip space.
out vec2 vUV;

void main() {
    vUV = gl_MultiTexCoord0.xy;
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
}
