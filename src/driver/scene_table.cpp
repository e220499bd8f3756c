#include "driver/scene_table.h"

#include <algorithm>
#include <cstdio>

#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_clock.h"

namespace scene_table {

const int kPlayOrder[kSlots] = {8, 0, 5, 2, 4, 9, 1, 7, 6, 3};
const int kCreationOrder[kSlots] = {8, 0, 2, 5, 1, 4, 9, 6, 7, 3};

namespace {

const char* const kClassNames[kSlots] = {
    "Part_ParticleShadowBoat",     // 0
    "Part_ParticleShadowSkull",    // 1
    "Part_ParticleShadowRainbow",  // 2
    "Part_DEMOLidarTree",          // 3
    "Part_ParticleShadow",         // 4
    "Part_ParticleShadowForest",   // 5
    "Part_LidarAO",                // 6
    "Part_LidarAOStart",           // 7
    "Part_KinectEffect",           // 8
    "Part_Fallers",                // 9
};

}  // namespace

const char* className(int slot) { return slot >= 0 && slot < kSlots ? kClassNames[slot] : ""; }

int slotOf(const std::string& name) {
    for (int s = 0; s < kSlots; ++s) {
        if (name == kClassNames[s]) return s;
    }
    return -1;
}

int activeSlot(Part* const scenes[]) {
    for (int slot : kPlayOrder) {
        if (scenes[slot] != nullptr && !scenes[slot]->done) return slot;
    }
    return -1;
}

int updateActive(Part* const scenes[], Data_Interface& engine) {
    const int first = activeSlot(scenes);
    const float step = engine.frameDelta;
    int active = first;
    float rest = step;
    while (active >= 0) {
        Part* scene = scenes[active];
        const float before = scene->localTime;
        engine.frameDelta = rest;
        scene->update(&engine);
        if (!scene->done || step <= 1.0f) break;
        // The share of the step that passed after the scene's end, in demo seconds.
        const SceneClock* clock = findSceneClock(className(active));
        const double used = static_cast<double>(scene->localTime) - before;
        if (clock == nullptr || !(used > 0.0)) break;
        const double after = (static_cast<double>(scene->localTime) - clock->end) / used;
        rest = static_cast<float>(static_cast<double>(rest) * std::clamp(after, 0.0, 1.0));
        active = activeSlot(scenes);
        if (!(rest > 0.0f)) break;
    }
    engine.frameDelta = step;
    return first;
}

void loadAll(Part* const scenes[]) {
    // Boat, skull and rainbow keep their workers scattering while later scenes load, so the
    // stages interleave.
    scenes[0]->load();
    scenes[1]->load();
    scenes[2]->load();
    scenes[0]->finishLoad();
    scenes[1]->finishLoad();
    scenes[3]->load();
    scenes[2]->finishLoad();
    scenes[3]->finishLoad();
    scenes[5]->load();
    scenes[5]->finishLoad();
    scenes[8]->load();
    scenes[8]->finishLoad();
    for (int i = 0; i < 3; ++i) std::printf("********************************************************\n");
    std::fflush(stdout);
    scenes[6]->load();
    scenes[6]->finishLoad();
    scenes[7]->load();
    scenes[7]->finishLoad();
    scenes[4]->load();
    scenes[4]->finishLoad();
    scenes[9]->load();
    scenes[9]->finishLoad();
}

}  // namespace scene_table
