#pragma once
// Shared by the ".objb" and cache readers: a part's two counts, checked against the bytes
// left, its indices checked against its vertices, and its coordinates checked for sense.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "formats/binary_io.h"

namespace meshio {

// Reads V and I. `bytesPerVertex` is what one vertex takes in the file; the part must fit in
// what is left. False with `error` (starting with `where`) otherwise.
inline bool readPartCounts(binio::Reader& r, const std::string& where, uint64_t bytesPerVertex,
                           int32_t& v, int32_t& i, std::string& error) {
    if (!r.value(v) || !r.value(i)) {
        error = where + ": the file ends before its counts";
        return false;
    }
    if (v < 0 || i < 0) {
        error = where + ": negative vertex or index count";
        return false;
    }
    if (bytesPerVertex * static_cast<uint64_t>(v) + 4ull * static_cast<uint64_t>(i) > r.remaining()) {
        error = where + ": " + std::to_string(v) + " vertices and " + std::to_string(i) +
                " indices run past the end of the file";
        return false;
    }
    return true;
}

inline bool indicesInRange(const std::vector<uint32_t>& indices, uint32_t vertexCount) {
    uint32_t worst = 0;
    for (uint32_t index : indices) worst = index > worst ? index : worst;
    return indices.empty() || worst < vertexCount;
}

// The largest coordinate a mesh may hold; the loader's empty box spans -100000..100000. A
// vertex beyond it, or one that is not a finite number, means a broken file: the scatter would
// ask for practically endless points on its triangles, or fill the texels with NaN.
constexpr float kMaxCoordinate = 100000.0f;

inline bool sensibleCoordinate(float c) { return std::isfinite(c) && std::fabs(c) <= kMaxCoordinate; }

// The index of the first position component that is not sensible, or -1.
inline int64_t firstAbsurdCoordinate(const std::vector<float>& positions) {
    for (size_t k = 0; k < positions.size(); ++k) {
        if (!sensibleCoordinate(positions[k])) return static_cast<int64_t>(k);
    }
    return -1;
}

// "vertex 17 has y = 1e+20, beyond +-100000 or not a number" for the component at `k`.
inline std::string absurdCoordinateText(const std::vector<float>& positions, int64_t k) {
    char text[128];
    std::snprintf(text, sizeof text, "vertex %lld has %c = %g, not a number or beyond +-%g",
                  static_cast<long long>(k / 3), "xyz"[k % 3], static_cast<double>(positions[static_cast<size_t>(k)]),
                  static_cast<double>(kMaxCoordinate));
    return text;
}

}  // namespace meshio
