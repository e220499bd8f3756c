#include "capture/scene_meter.h"

#include <time.h>

#include "platform/allocation_count.h"
#include "platform/perf_counter.h"

namespace {

int64_t threadCpuNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

}  // namespace

bool SceneMeter::countsAllocations() { return platform::allocationCounter != nullptr; }

void SceneMeter::reset() {
    wallSeconds = 0.0;
    cpuSeconds = 0.0;
    allocations = 0;
}

SceneMeter::Span::Span(SceneMeter* meter) : meter_(meter) {
    if (meter_ == nullptr) return;
    allocationStart_ = platform::threadAllocations();
    cpuStart_ = threadCpuNanoseconds();
    wallStart_ = platform::queryPerformanceCounter();
}

SceneMeter::Span::~Span() {
    if (meter_ == nullptr) return;
    const int64_t wallEnd = platform::queryPerformanceCounter();
    const int64_t cpuEnd = threadCpuNanoseconds();
    const int64_t allocationEnd = platform::threadAllocations();
    meter_->wallSeconds +=
        static_cast<double>(wallEnd - wallStart_) / static_cast<double>(platform::queryPerformanceFrequency());
    meter_->cpuSeconds += static_cast<double>(cpuEnd - cpuStart_) * 1e-9;
    meter_->allocations += allocationEnd - allocationStart_;
}
