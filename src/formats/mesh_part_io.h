#pragma once
// Shared by the ".objb" and cache readers: a part's two counts, checked against the bytes
// left, and its indices checked against its vertices.
#include <cstdint>
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

}  // namespace meshio
