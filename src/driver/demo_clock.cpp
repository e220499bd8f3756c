#include "driver/demo_clock.h"

#include <cmath>

namespace demo_clock {

float limitStep(float dt) { return dt > 1.0f ? 0.0f : dt; }

float StepLimiter::limit(float measured) {
    const bool isLong = measured > 1.0f;
    const float kept = isLong && !previousLong_ ? 0.0f : measured;
    previousLong_ = isLong;
    return kept;
}

float realTimeStep(StepLimiter& limiter, float measured, double demoTime, float musicTime) {
    return limiter.limit(measured) * lockFactor(demoTime, musicTime);
}

float lockFactor(double demoTime, float musicTime) {
    const float drift = static_cast<float>(demoTime - static_cast<double>(musicTime));
    float k = static_cast<float>(1.0 - 0.4 * static_cast<double>(drift));
    if (std::isnan(k)) return kMaxRate;
    if (k > kMaxRate) {
        k = kMaxRate;
    } else if (k < kMinRate) {
        k = kMinRate;
    }
    return k;
}

}  // namespace demo_clock
