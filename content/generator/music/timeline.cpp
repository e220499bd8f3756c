#include "generator/music/timeline.h"

#include <cmath>

namespace music {

namespace {

// Frames a scene stays active: it updates once per frame until its clock passes the end.
long framesOf(const SceneClock& clock, float frameDelta) {
    float t = clock.start;
    for (long frames = 1; frames < 100000000L; ++frames) {
        const ClockTick next = tick(clock, t, frameDelta);
        if (next.done) return frames;
        t = next.localTime;
    }
    return 100000000L;
}

}  // namespace

std::vector<SceneSpan> computeTimeline(double fps) {
    const float frameDelta = static_cast<float>(1.0 / fps);
    std::vector<SceneSpan> spans;
    long frame = 0;
    for (const SceneClock& clock : sceneClocks()) {
        const long n = framesOf(clock, frameDelta);
        spans.push_back({clock.name, static_cast<double>(frame) * frameDelta,
                         static_cast<double>(n) * frameDelta});
        frame += n;
    }
    return spans;
}

}  // namespace music
