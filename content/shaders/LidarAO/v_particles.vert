#version 430 compatibility
// The statue's particles: the position is the vertex (the system's position buffer), the
// colour texel i of the system's colour image; placed in the scan and sized by distance.
#include "../common/noise.glsl"
#include "../common/scan.glsl"
#include "statue.glsl"

uniform sampler2D ColorTexture;
uniform mat4 MV;
uniform mat4 MP;
uniform float Invocation;
uniform float ScreenSize;
uniform float FSize;
uniform float ttime;

out vec3 vColour;

void main() {
    int width = max(int(Invocation), 1);
    ivec2 tc = ivec2(gl_VertexID % width, gl_VertexID / width);
    vec4 p = gl_Vertex;
    vec4 c = texelFetch(ColorTexture, tc, 0);
    if (!(p.w > 0.5) || any(isnan(p.xyz))) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);   // outside the clip volume
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        return;
    }
    vec4 view = MV * vec4(statueToScene(p.xyz), 1.0);
    gl_Position = MP * view;
    float dist = -view.z;
    gl_PointSize = scanPointSize(0.000012 * FSize * c.a, dist, MP, ScreenSize);
    vColour = scanHaze(c.rgb, dist, 0.06);
}
