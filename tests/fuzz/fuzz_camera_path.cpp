// Random bytes into the recorded path: read, loop blend, smoothing and resampling, then a
// few sway look-ups as the scenes make them.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/camera_path.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Paths of the show hold a few thousand records; longer inputs only slow the search.
    if (size > 64 * 1024) return 0;
    static fuzzfile::Scratch scratch("try1.sav");
    const std::string& path = scratch.write(data, size);
    CameraPath camera;
    if (!camera.load(path)) return 0;
    // An accepted path gives finite samples everywhere: the scenes build cameras from them.
    const int32_t steps[] = {0, 1, -1, -76, 12345, INT32_MIN, INT32_MAX};
    for (int32_t k : steps) {
        PathSample s = camera.swayAt(k);
        if (!(std::isfinite(s.position.x) && std::isfinite(s.position.y) && std::isfinite(s.position.z) &&
              std::isfinite(s.valueA) && std::isfinite(s.valueB)))
            std::abort();
    }
    if (camera.pointCurve.count() > 0) {
        TVector p = camera.pointCurve.evaluate(0.5f * static_cast<float>(camera.pointCurve.count()));
        (void)p;
    }
    return 0;
}
