#include "platform/perf_counter.h"

#include <time.h>

namespace platform {

int64_t queryPerformanceCounter() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

int64_t queryPerformanceFrequency() { return 1000000000LL; }

}  // namespace platform
