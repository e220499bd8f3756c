#include "driver/scene_clock.h"

#include <cstring>

#include "driver/data_interface.h"
#include "driver/part.h"

const std::vector<SceneClock>& sceneClocks() {
    static const std::vector<SceneClock> clocks = {
        {"Part_KinectEffect", 0.0f, {}, 27.0, false},
        {"Part_ParticleShadowBoat", -2.0f, {{1.1}, {0.978}, {1.033}, {1.002}}, 71.0, false},
        {"Part_ParticleShadowForest", 0.3f, {{1.03}, {0.935}, {0.75, 15.0, 21.0}}, 29.85, true},
        {"Part_ParticleShadowRainbow", 0.0f, {{0.95}, {1.1}, {1.033}, {1.05, -1e30, 15.0}}, 33.2, true},
        {"Part_ParticleShadow", -4.5f, {{0.95}, {1.03}, {0.95, 12.0, 1e30, true}}, 27.0, false},
        {"Part_Fallers", 0.0f, {{1.1}, {1.05, -1e30, 20.0}, {0.91489}}, 19.0, false},
        {"Part_ParticleShadowSkull", 0.0f, {{1.1}, {0.94}}, 17.45, true},
        {"Part_LidarAOStart", 0.0f, {{1.03}, {1.085, 3.0, 1e30, true}}, 35.5, false},
        {"Part_LidarAO", 0.4f, {{1.2, -1e30, 15.0}, {1.03}, {0.988}, {1.05, 24.0, 1e30, true}}, 55.8, true},
        {"Part_DEMOLidarTree", 0.0f, {{0.96}}, 96.5, false},
    };
    return clocks;
}

const SceneClock& sceneClock(SceneId id) { return sceneClocks()[static_cast<size_t>(id)]; }

const SceneClock* findSceneClock(const char* name) {
    if (name == nullptr) return nullptr;
    for (const SceneClock& clock : sceneClocks())
        if (std::strcmp(clock.name, name) == 0) return &clock;
    return nullptr;
}

ClockTick tick(const SceneClock& clock, float localTime, float frameDelta) {
    float step = frameDelta;
    const double before = localTime;
    for (const RateFactor& f : clock.factors) {
        const bool inside = (f.strictFrom ? before > f.from : before >= f.from) && before < f.below;
        if (inside) step = static_cast<float>(static_cast<double>(step) * f.factor);
    }
    const float t = localTime + step;
    const bool done = clock.endAsDouble ? static_cast<double>(t) > clock.end : t > static_cast<float>(clock.end);
    return {step, t, done};
}

void updateSceneClock(Part& part, Data_Interface* engine, SceneId id) {
    part.engine = engine;
    part.tuneX = engine->tuneX;
    part.tuneY = engine->tuneY;
    const ClockTick next = tick(sceneClock(id), part.localTime, engine->frameDelta);
    part.timeStep = next.timeStep;
    ++part.updateCount;
    part.localTime = next.localTime;
    if (next.done) part.done = true;
}
