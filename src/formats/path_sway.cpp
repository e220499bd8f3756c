#include "formats/path_sway.h"

#include <cmath>
#include <limits>

int32_t pathSwayStep(double t) {
    const double k = (35.0 * t - 38.0) - 38.0;
    if (std::isnan(k)) return 0;
    if (k <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (k >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(k);
}

uint64_t pathSwayIndex(double t, size_t records) {
    if (records < 2) return 0;
    const uint64_t step = static_cast<uint64_t>(static_cast<int64_t>(pathSwayStep(t)));
    return step % static_cast<uint64_t>(records - 1);
}

PathSample pathSwayAt(const CameraPath& path, double t) { return path.swayAt(pathSwayStep(t)); }
