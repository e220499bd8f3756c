#version 430 compatibility
// The baked scan points. They arrive behind a scan front that sweeps across the wider lens
// ("MV_Proj") from t = 3, and dissolve point by point before t = 43. "cut" scales how much
// of the scan is shown (1: all of it).
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"

layout(location = 0) in vec4 inPoint;   // position and the bake's occlusion term

uniform mat4 MV;
uniform mat4 Local;
uniform mat4 MV_Proj;
uniform float ttime;
uniform float cut;
uniform float IsReflection;
uniform float ScreenSize;   // picture height in pixels

out vec3 vColour;
out float vGlow;

// Where the scan front stands, in the wide lens's x (-1 .. 1 across its view).
float scanFront(float t) { return mix(-1.7, 1.7, clamp((t - 3.0) / 2.6, 0.0, 1.0)); }

void main() {
    vec4 world = Local * vec4(inPoint.xyz, 1.0);
    if (IsReflection > 0.5) world.y = -world.y;
    vec4 eye = MV * world;
    gl_Position = gl_ProjectionMatrix * eye;
    // Most of the ten million points lie outside the picture: they leave before any shading.
    if (any(greaterThan(abs(gl_Position.xyz), vec3(gl_Position.w * 1.02)))) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        vGlow = 0.0;
        return;
    }
    float dist = length(eye.xyz);

    vec4 wide = MV_Proj * world;
    float sx = wide.w > 0.0 ? wide.x / wide.w : -2.0;
    float front = scanFront(ttime);
    float shown = smoothstep(front + 0.04, front - 0.04, sx) * cut;
    // Points behind the camera of the wide lens came with the front's start.
    if (wide.w <= 0.0) shown = step(5.6, ttime) * cut;
    uint id = uint(gl_VertexID);
    float leave = smoothstep(40.0, 42.9, ttime);
    if (hash1(id, 7u) < leave) shown = 0.0;
    // Points in the camera's face would fill the picture: they fade out under half a unit.
    shown *= smoothstep(0.25, 0.7, dist);
    if (shown <= 0.0) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);   // outside the clip volume
        gl_PointSize = 1.0;
        vColour = vec3(0.0);
        vGlow = 0.0;
        return;
    }
    vColour = scanColour(inPoint.w, world.y, dist, 0.022) * shown;
    // The fresh scan flares where the front has just passed.
    float flare = smoothstep(0.35, 0.0, abs(sx - front)) * (1.0 - step(5.6, ttime));
    vColour += vec3(1.0, 0.85, 0.6) * flare * 0.8;
    vGlow = clamp(0.35 * inPoint.w / 10.0 + flare, 0.0, 1.0);
    gl_PointSize = treePointSize(dist, ScreenSize, 1.0 + flare);
}
