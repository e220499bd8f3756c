#include "driver/frame_timer.h"

#include "platform/perf_counter.h"

namespace {
int64_t previousCount = 0;  // render thread only
}

float frameTimer() {
    const int64_t now = platform::queryPerformanceCounter();
    const float seconds = static_cast<float>(static_cast<double>(now - previousCount) /
                                             static_cast<double>(platform::queryPerformanceFrequency()));
    previousCount = now;
    return seconds;
}
