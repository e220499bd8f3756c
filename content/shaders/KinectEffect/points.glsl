// The scene's points: particle i is vertex i of the system's position buffer (xyz, w = shown)
// with texel i of its colour image, drawn as a small round point whose size follows its
// distance.
//
// Uniforms: "ColorTexture" (rgb, a = size factor;
// negative for a thin vertical streak, a falling drop),
// "Invocation" (grid width), "MVP", "ScreenSize" (view width in pixels), "ttime".

uniform sampler2D ColorTexture;
uniform mat4 MVP;
uniform float Invocation;
uniform float ScreenSize;
uniform float ttime;

out vec3 vColour;
out float vGlow;
out float vStreak;
out float vPixels;   // the point's size in pixels

struct Point {
    vec3 position;
    vec3 colour;
    float size;
    bool streak;
    bool shown;
};

Point fetchPoint() {
    int width = max(int(Invocation), 1);
    ivec2 tc = ivec2(gl_VertexID % width, gl_VertexID / width);
    vec4 p = gl_Vertex;
    vec4 c = texelFetch(ColorTexture, tc, 0);
    Point point;
    point.position = p.xyz;
    point.colour = c.rgb;
    point.size = abs(c.a);
    point.streak = c.a < 0.0;
    point.shown = p.w > 0.5 && !any(isnan(p.xyz)) && !any(isnan(c));
    return point;
}

// `worldSize` is the point's diameter in world units at the size factor 1.
void emitPoint(Point point, float worldSize, float glow) {
    if (!point.shown || dot(point.colour, point.colour) < 1e-6) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);   // outside the clip volume
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        vGlow = 0.0;
        vStreak = 0.0;
        vPixels = 1.0;
        return;
    }
    gl_Position = MVP * vec4(point.position, 1.0);
    float w = max(gl_Position.w, 0.05);
    // A streak is three times as tall as a bead and one pixel wide.
    float streak = point.streak ? 3.0 : 1.0;
    gl_PointSize = clamp(worldSize * point.size * streak * ScreenSize / w, 1.0, (2.0 + ScreenSize / 320.0) * streak);
    vColour = point.colour;
    vGlow = glow;
    vStreak = point.streak ? 1.0 : 0.0;
    vPixels = gl_PointSize;
}
