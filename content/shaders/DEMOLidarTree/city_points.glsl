// The park scan (the shared cloud) at this scene's scale: the file holds metres x 0.001, the
// scene works in metres. Shared by both cloud programs. Needs noise.glsl, lighting.glsl and
// lidar_tree.glsl first.

layout(location = 0) in vec4 inPoint;   // position (file units) and the occlusion term

uniform mat4 MV;
uniform mat4 Local;
uniform float ttime;
uniform float PosX;
uniform float PosY;
uniform float pass;
uniform float ScreenSize;

out vec3 vColour;
out float vGlow;

const float kParkScale = 1000.0;

void hidePoint() {
    gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
    gl_PointSize = 1.0;
    vColour = vec3(0.0);
    vGlow = 0.0;
}

// Places and shades one park point with `shown` (0..1) of its light.
void placeParkPoint(vec4 world, float shown, float warmth) {
    vec4 eye = MV * world;
    float dist = length(eye.xyz);
    shown *= smoothstep(0.25, 0.7, dist);
    gl_Position = gl_ProjectionMatrix * eye;
    if (shown <= 0.0 || any(greaterThan(abs(gl_Position.xyz), vec3(gl_Position.w * 1.02)))) {
        hidePoint();
        return;
    }
    vec3 c = scanColour(inPoint.w, world.y, dist, 0.012);
    vColour = mix(c, c * vec3(1.12, 0.98, 0.82), warmth) * shown * (0.85 + 0.15 * pass);
    vGlow = 0.3 * inPoint.w / 10.0 * shown;
    // The park is dense: its near points stay smaller than the baked scan's.
    gl_PointSize = treePointSize(dist, ScreenSize, 0.6);
}

vec4 parkWorld() {
    vec3 p = inPoint.xyz * kParkScale + vec3(PosX, PosY, 0.0);
    return Local * vec4(p, 1.0);
}
