#pragma once
// A monotonic high-resolution counter: ticks and ticks per second.
#include <cstdint>

namespace platform {

int64_t queryPerformanceCounter();
int64_t queryPerformanceFrequency();

}  // namespace platform
