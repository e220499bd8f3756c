// Random bytes into the quantised point-cloud reader.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/point_cloud_file.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzfile::Scratch scratch("cloud.ascbbcomp");
    const std::string& path = scratch.write(data, size);
    PointCloudFile cloud;
    std::string error;
    if (readCompressedPointCloud(path, cloud, error)) {
        if (cloud.count < 0 || cloud.points.size() != size_t(cloud.count) * 4) std::abort();
    } else if (error.find(path) == std::string::npos || !cloud.points.empty() || cloud.count != 0) {
        std::abort();
    }
    return 0;
}
