// Random bytes into the recorded path: read, loop blend, smoothing and resampling, then a
// few sway look-ups as the scenes make them.
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
    const int32_t steps[] = {0, 1, -1, -76, 12345, INT32_MIN, INT32_MAX};
    for (int32_t k : steps) {
        PathSample s = camera.swayAt(k);
        (void)s;
    }
    if (camera.pointCurve.count() > 0) {
        TVector p = camera.pointCurve.evaluate(0.5f * static_cast<float>(camera.pointCurve.count()));
        (void)p;
    }
    return 0;
}
