// Random bytes into the Voronoi map reader.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/flow_field_files.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzfile::Scratch scratch("voronoimap.bin");
    const std::string& path = scratch.write(data, size);

    VoronoiMap map;
    std::string error;
    if (readVoronoiMap(path, map, error)) {
        if (map.width <= 0 || map.height <= 0 ||
            map.values.size() != size_t(map.width) * size_t(map.height))
            std::abort();
        scaleVoronoiValues(map.values);
    } else if (error.find(path) == std::string::npos || !map.values.empty()) {
        std::abort();
    }

    return 0;
}
