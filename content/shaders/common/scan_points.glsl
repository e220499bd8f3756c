// The scan clouds' vertex stage: one point per record, (x, y, z, occlusion term), through
// "MV" and "MP". The including shader defines SCAN_POINT_SIZE (world size of a point, scene
// units) and may define SCAN_REVEAL to let the scan grow out from a centre.
// Needs noise.glsl and scan.glsl first.

layout(location = 0) in vec4 inPoint;

uniform mat4 MV;
uniform mat4 MP;
uniform float ScreenSize;
uniform float pass;      // 0: the soft body behind, 1: the crisp points
uniform float ttime;
uniform float PosX;
uniform float PosY;

out vec3 vColour;
out float vOpen;

void scanPoint(float reveal) {
    vec3 p = inPoint.xyz + vec3(PosX, PosY, 0.0) * kScanMetre;
    vec4 view = MV * vec4(p, 1.0);
    gl_Position = MP * view;
    float dist = -view.z;
    float body = 1.0 - step(0.5, pass);
    vOpen = clamp(inPoint.w / 10.0, 0.0, 1.0);
    vec3 c = scanShade(inPoint.w) * scanShimmer(p, ttime);
    // A point a little larger or smaller than its neighbours keeps the surface from looking
    // like a grid.
    float jitter = 0.8 + 0.4 * hash1(uint(gl_VertexID), 7u);
    float size = SCAN_POINT_SIZE * jitter;
    // The body fills the gaps between the crisp points with a darker copy of the surface.
    c *= mix(1.0, 0.45, body);
    // The body sits a hair behind the crisp points so they win the depth test.
    gl_Position.z += body * 0.00002 * gl_Position.w;
    // The growing scan: points beyond the front are not drawn yet; the front glows.
    float front = reveal;
    if (front < 0.0) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        return;
    }
    c += vec3(0.55, 0.45, 0.32) * (1.0 - smoothstep(0.0, 0.004, front)) * (1.0 - body);
    vColour = scanHaze(c, dist, 0.045);
    // The body is a little larger than the crisp points. Far away (points under two pixels)
    // a body for every point would double the cost of the many distant points: one in four
    // of them get one, two pixels wide, and the occlusion pass fills the rest of the gaps.
    float pixels = scanPointSize(size, dist, MP, ScreenSize);
    if (body > 0.5 && pixels < 2.0 && hash1(uint(gl_VertexID), 11u) > 0.25) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        gl_PointSize = 1.0;
        return;
    }
    gl_PointSize = mix(pixels, max(pixels * 1.3, 2.0), body);
}
