// Random bytes into the ".objb" parser: it must reject or accept, never read out of bounds.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/mesh_part_io.h"
#include "formats/objb.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjbMesh mesh;
    std::string error;
    if (parseObjb(data, size, "fuzz.objb", mesh, error)) {
        // An accepted mesh holds what its header promised, every index is inside its part and
        // every coordinate is a finite number within the limit (the scatter trusts them).
        for (const MeshPart& part : mesh.parts) {
            size_t vertices = part.positions.size() / 3;
            for (uint32_t i : part.indices)
                if (i >= vertices) std::abort();
            for (float c : part.positions)
                if (!(std::isfinite(c) && std::fabs(c) <= meshio::kMaxCoordinate)) std::abort();
        }
    } else if (error.find("fuzz.objb") == std::string::npos || !mesh.parts.empty()) {
        std::abort();
    }
    return 0;
}
