#include "scenes/depth/kinect_effect_timeline.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kinect_effect {

namespace {

std::string recordingFile(const char* pattern, int number) {
    char name[32];
    std::snprintf(name, sizeof name, pattern, number);
    return std::string(kRecordingFolder) + name;
}

}  // namespace

std::string depthFileName(int number) { return recordingFile("D_%05d.tiff", number); }
std::string signalFileName(int number) { return recordingFile("Dv%05d.tiff", number); }

RecordingStep stepRecording(int index, float accumulator, float frameStep, int count) {
    RecordingStep step{index, accumulator + frameStep * kRecordingRate, false};
    if (!std::isfinite(step.accumulator)) {
        step.accumulator = 0.0f;  // a clock that is not a number shows the frame it has
        return step;
    }
    if (step.accumulator > 1.0f) {
        // The frames due: as many as subtracting 1 at a time would take while above 1.
        const float due = std::ceil(step.accumulator - 1.0f);
        step.accumulator -= due;
        if (count > 0) {
            const uint32_t n = static_cast<uint32_t>(std::fmod(static_cast<double>(due), static_cast<double>(count)));
            const uint32_t sum = static_cast<uint32_t>(index) + n + 10u * static_cast<uint32_t>(count);
            step.index = static_cast<int>(sum % static_cast<uint32_t>(count));
            step.advanced = true;
        }
    }
    return step;
}

}  // namespace kinect_effect
