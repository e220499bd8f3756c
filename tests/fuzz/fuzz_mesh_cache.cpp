// Random bytes into the quantised mesh cache parser.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/mesh_cache.h"
#include "formats/mesh_part_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<MeshPart> parts;
    TVector boxMin, boxMax;
    std::string error;
    if (parseMeshCache(data, size, "fuzz.objbcomp", 1.0f, parts, boxMin, boxMax, error)) {
        for (const MeshPart& part : parts) {
            size_t vertices = part.positions.size() / 3;
            if (part.normals.size() != part.positions.size() || part.colours.size() != part.positions.size())
                std::abort();
            for (uint32_t i : part.indices)
                if (i >= vertices) std::abort();
            // A sensible box that holds its vertices: every coordinate finite and within it.
            for (size_t k = 0; k < part.positions.size(); ++k) {
                const float c = part.positions[k];
                const float lo = k % 3 == 0 ? boxMin.x : k % 3 == 1 ? boxMin.y : boxMin.z;
                const float hi = k % 3 == 0 ? boxMax.x : k % 3 == 1 ? boxMax.y : boxMax.z;
                if (!(std::isfinite(c) && std::fabs(c) <= meshio::kMaxCoordinate)) std::abort();
                if (!(lo <= hi)) std::abort();
            }
        }
    } else if (error.find("fuzz.objbcomp") == std::string::npos || !parts.empty()) {
        std::abort();
    }
    return 0;
}
