#version 430 compatibility
// The rain's points: drawn from 3 s, faded in over the first second and a half.
#include "../common/noise.glsl"
#include "stage.glsl"
#include "points.glsl"

void main() {
    Point point = fetchPoint();
    point.colour *= smoothstep(3.0, 4.5, ttime);
    emitPoint(point, 0.0075, 1.0);
}
