#version 430 compatibility
// The floral frame. "IsFrame" 0: the mosaic on the ground in front of the camera (a quad in
// the x-z plane placed by "LocalMV"). "IsFrame" 1: the frame round the picture, whose quad
// (-1 .. 1) lies on the near plane in clip space, so that what is drawn later stays inside it.
uniform mat4 LocalMV;
uniform mat4 Local;
uniform float IsFrame;

out vec2 vUV;
out vec3 vWorld;
out float vDist;

void main() {
    vUV = gl_MultiTexCoord0.xy;
    if (IsFrame > 0.5) {
        vWorld = vec3(0.0);
        vDist = 0.0;
        gl_Position = vec4(gl_Vertex.xy, -1.0, 1.0);
        return;
    }
    vec4 eye = LocalMV * gl_Vertex;
    vWorld = (Local * gl_Vertex).xyz;
    vDist = length(eye.xyz);
    gl_Position = gl_ProjectionMatrix * eye;
}
