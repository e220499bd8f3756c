#pragma once
// The shared flow field: the 3D velocity texture and the 2D Voronoi-map texture that every
// compute particle system samples ("CurlTexture" on unit 3, "VoronoiTexture" on unit 13).
#include <cstdint>

struct FlowField {
    uint32_t velocityTexture = 0;
    uint32_t voronoiTexture = 0;
};
