#include "driver/scene_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_clock.h"
#include "gpu/particle_owners.h"
#include "gpu/texture_object.h"

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

namespace {

struct LoadStep {
    char stage;  // 'L' load, 'F' finishLoad
    int slot;
};

// The show's fixed order. Boat, skull and rainbow keep their workers scattering while later
// scenes load, so the stages interleave.
const LoadStep kLoadOrder[] = {{'L', 0}, {'L', 1}, {'L', 2}, {'F', 0}, {'F', 1}, {'L', 3}, {'F', 2},
                               {'F', 3}, {'L', 5}, {'F', 5}, {'L', 8}, {'F', 8}, {'L', 6}, {'F', 6},
                               {'L', 7}, {'F', 7}, {'L', 4}, {'F', 4}, {'L', 9}, {'F', 9}};
// The asterisks come after this many steps.
constexpr int kStepsBeforeAsterisks = 12;

double residentMiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, n, field) == 0) return std::atof(line.c_str() + n) / 1024.0;
    }
    return 0.0;
}

}  // namespace

void loadAll(Part* const scenes[], bool timeSteps) {
    bool pending[kSlots] = {};
    int step = 0;
    for (const LoadStep& s : kLoadOrder) {
        if (step++ == kStepsBeforeAsterisks) {
            for (int i = 0; i < 3; ++i) std::printf("********************************************************\n");
            std::fflush(stdout);
        }
        const auto start = std::chrono::steady_clock::now();
        particle_owners::setLoadingSlot(s.slot);
        if (s.stage == 'L') {
            scenes[s.slot]->load();
            pending[s.slot] = true;
        } else {
            scenes[s.slot]->finishLoad();
            pending[s.slot] = false;
        }
        particle_owners::setLoadingSlot(-1);
        if (timeSteps) {
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("load: %c%d %s %.2f s, resident %.0f MiB (peak %.0f MiB)\n", s.stage, s.slot,
                        className(s.slot), seconds, residentMiB("VmRSS:"), residentMiB("VmHWM:"));
        }
        // Once no scene is between its load and its finishLoad, every sample set should have
        // been uploaded, and its CPU arrays freed.
        bool quiet = s.stage == 'F';
        for (bool p : pending) quiet = quiet && !p;
        const int64_t held = TextureObject::heldArrayBytes();
        if (quiet && held > 0) {
            std::printf("load: %lld bytes of sample arrays are still held after %s's finishLoad\n",
                        static_cast<long long>(held), className(s.slot));
        }
    }
    std::fflush(stdout);
}

}  // namespace scene_table
