#version 430 compatibility
// The park scan of the scene before, as the closing scene opens on it. Where the new scan
// (the baked landscape, 25 units round the origin) arrives from t = 3, the park's points
// there go out behind the same front; the rest of the park stays round it.
#include "../common/noise.glsl"
#include "../common/lighting.glsl"
#include "../common/scan.glsl"
#include "lidar_tree.glsl"
#include "city_points.glsl"

void main() {
    vec4 world = parkWorld();
    float r = length(world.xz);
    uint id = uint(gl_VertexID);
    // Inside the landscape the park thins out between t = 3 and 6, point by point, from the
    // middle outwards; beyond it, the park dims to a quiet ring.
    float inside = 1.0 - smoothstep(23.0, 26.0, r);
    float gone = smoothstep(3.0, 6.0, ttime - r * 0.02) * inside;
    float shown = hash1(id, 3u) < gone ? 0.0 : 1.0;
    shown *= mix(1.0, 0.55, smoothstep(3.0, 8.0, ttime) * (1.0 - inside));
    placeParkPoint(world, shown, 0.0);
}
