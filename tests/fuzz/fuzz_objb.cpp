// Random bytes into the ".objb" parser: it must reject or accept, never read out of bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/objb.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjbMesh mesh;
    std::string error;
    if (parseObjb(data, size, "fuzz.objb", mesh, error)) {
        // An accepted mesh holds what its header promised and every index is inside its part.
        for (const MeshPart& part : mesh.parts) {
            size_t vertices = part.positions.size() / 3;
            for (uint32_t i : part.indices)
                if (i >= vertices) std::abort();
        }
    } else if (error.find("fuzz.objb") == std::string::npos || !mesh.parts.empty()) {
        std::abort();
    }
    return 0;
}
