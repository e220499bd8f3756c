#version 430 compatibility
// The plate's points. Its simulation stops at 10.8 while the points are still drawn until
// 12: from there each point keeps drifting on its own wind here, and the plate fades out.
#include "../common/noise.glsl"
#include "stage.glsl"
#include "plate.glsl"
#include "points.glsl"

uniform sampler2D texture2d_depth;

void main() {
    Point point = fetchPoint();
    uint i = uint(gl_VertexID);
    if (ttime > 10.8) {
        // The last of the plate lets go at about 8.6; carry every point on at that pace.
        point.position += plateWind(i) * (plateDrift(ttime, 8.6) - plateDrift(10.8, 8.6));
    }
    point.colour *= plateFade(ttime);
    emitPoint(point, 0.0085, 0.35);
}
