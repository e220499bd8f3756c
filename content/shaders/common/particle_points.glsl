// Drawing a compute particle system as soft round points. The position is the vertex itself
// (the system's position buffer is the vertex array: xyz, w = shown); the colour is texel i of
// the system's colour image for vertex i.
//
// Uniforms: "ColorTexture" (rgb, a = size factor),
// "Invocation" (grid width), "MVP", "ScreenSize" (view width in pixels), "LightMVP" and
// "texture2d_depth" (a depth map seen from the light).

uniform sampler2D ColorTexture;
uniform sampler2D texture2d_depth;
uniform mat4 MVP;
uniform mat4 LightMVP;
uniform float Invocation;
uniform float ScreenSize;
uniform float ttime;

out vec3 vColour;
out float vShadow;
out float vDepth;

// World size of a point at a reference width of 1000 pixels.
const float kPointWorldSize = 0.032;

float lightShadow(vec3 p) {
    vec4 l = LightMVP * vec4(p, 1.0);
    if (l.w <= 0.0) return 1.0;
    vec3 s = l.xyz / l.w * 0.5 + 0.5;
    if (any(lessThan(s.xy, vec2(0.0))) || any(greaterThan(s.xy, vec2(1.0)))) return 1.0;
    float stored = texture(texture2d_depth, s.xy).r;
    return s.z - 0.002 > stored ? 0.55 : 1.0;
}

void placePoint() {
    int width = max(int(Invocation), 1);
    ivec2 tc = ivec2(gl_VertexID % width, gl_VertexID / width);
    vec4 p = gl_Vertex;
    vec4 c = texelFetch(ColorTexture, tc, 0);
    if (!(p.w > 0.5) || any(isnan(p.xyz))) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);   // outside the clip volume
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        vShadow = 1.0;
        vDepth = 0.0;
        return;
    }
    gl_Position = MVP * vec4(p.xyz, 1.0);
    float w = max(gl_Position.w, 0.05);
    gl_PointSize = clamp(kPointWorldSize * ScreenSize / w * c.a, 1.0, 2.0 + ScreenSize / 240.0);
    vColour = c.rgb;
    vShadow = lightShadow(p.xyz);
    vDepth = w;
}
