// Random bytes into the quantised mesh cache parser.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/mesh_cache.h"

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
        }
    } else if (error.find("fuzz.objbcomp") == std::string::npos || !parts.empty()) {
        std::abort();
    }
    return 0;
}
