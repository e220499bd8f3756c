#pragma once
// The CPU arrays of one mesh part: an indexed triangle list, three floats per vertex.
#include <cstdint>
#include <vector>

struct MeshPart {
    std::vector<float> positions;   // x, y, z per vertex
    std::vector<float> normals;     // x, y, z per vertex (empty when a file carries none)
    std::vector<float> colours;     // r, g, b per vertex (empty when a file carries none)
    std::vector<uint32_t> indices;  // three per triangle

    int32_t numVertices() const { return static_cast<int32_t>(positions.size() / 3); }
    int32_t numIndices() const { return static_cast<int32_t>(indices.size()); }
};
