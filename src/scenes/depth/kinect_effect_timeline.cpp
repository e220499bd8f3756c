#include "scenes/depth/kinect_effect_timeline.h"

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
    if (step.accumulator > 1.0f) {
        step.accumulator -= 1.0f;
        if (count > 0) {
            const uint32_t sum = static_cast<uint32_t>(index + 1) + 10u * static_cast<uint32_t>(count);
            step.index = static_cast<int>(sum % static_cast<uint32_t>(count));
            step.advanced = true;
        }
    }
    return step;
}

}  // namespace kinect_effect
