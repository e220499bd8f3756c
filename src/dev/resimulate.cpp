#include "dev/resimulate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "dev/dev_show.h"
#include "driver/data_interface.h"
#include "driver/part.h"

namespace dev {

namespace {

// A grid checkpoint every this many simulated frames (one second at 60 frames a second).
constexpr int kCheckpointEvery = 60;

}  // namespace

void Resimulation::prepare(const DevShow& show, double fps) {
    fps_ = fps;
    Data_Interface& engine = *show.engine;
    timeline_ = capture_plan::simulate(engine.scenes, engine, fps, static_cast<int>(2.0 * 3600.0 * fps));
    for (int s = 0; s < scene_table::kSlots; ++s) {
        if (engine.scenes[s] != nullptr) startClocks_[s] = capture_plan::save(*engine.scenes[s]);
    }
}

void Resimulation::markRun(int slot) {
    if (slot >= 0 && slot < scene_table::kSlots) run_[slot] = true;
}

void Resimulation::saveStart(const DevShow& show, int slot) {
    if (slot < 0 || hasRun(slot) || store_.startOf(slot) != nullptr) return;
    store_.save(show.engine->scenes, slot, -1, show.demoTime(), true);
}

void Resimulation::beforeFrame(const DevShow& show) {
    // The active scene, and the one after it in play order, which may start in this frame.
    const int active = scene_table::activeSlot(show.engine->scenes);
    if (active < 0) return;
    saveStart(show, active);
    for (int i = 0; i + 1 < scene_table::kSlots; ++i) {
        if (scene_table::kPlayOrder[i] == active) saveStart(show, scene_table::kPlayOrder[i + 1]);
    }
}

float Resimulation::seek(const DevShow& show, double target, SeekReport& report) {
    const auto started = std::chrono::steady_clock::now();
    Data_Interface& engine = *show.engine;
    const int frames = timeline_.frameCount();
    report = SeekReport{};
    if (frames == 0) return 0.0f;
    const int n = std::clamp(static_cast<int>(std::lround(target * fps_)), 0, frames - 1);
    const int slot = timeline_.drawnSlot[static_cast<size_t>(n)];
    const int active = scene_table::activeSlot(engine.scenes);
    const float step = static_cast<float>(1.0 / fps_);
    const Checkpoint* checkpoint = store_.nearest(slot, n);
    const bool fromHere = slot == active && hasRun(slot) && target >= show.demoTime() &&
                          (checkpoint == nullptr || checkpoint->demoTime <= show.demoTime());
    float carry = 0.0f;
    char from[96];
    if (fromHere) {
        while (show.demoTime() + step <= target + 1e-9) {
            show.advanceClock(step);
            show.simulateFrame();
            ++report.steps;
        }
        carry = static_cast<float>(std::max(0.0, target - show.demoTime()));
        report.from = "from here";
    } else {
        int first = 0;
        bool fresh = !hasRun(slot);
        if (checkpoint != nullptr) {
            store_.restore(engine.scenes, *checkpoint);
            show.setDemoTime(checkpoint->demoTime);
            first = checkpoint->frame;
            fresh = true;
            std::snprintf(from, sizeof from, "from checkpoint %.2f s", checkpoint->frame / fps_);
            report.from = from;
        } else {
            // Every clock back to its value after loading; the scene's particles to their start.
            for (int s = 0; s < scene_table::kSlots; ++s) {
                if (engine.scenes[s] != nullptr) capture_plan::restore(*engine.scenes[s], startClocks_[s]);
            }
            show.setDemoTime(0.0);
            if (!fresh && store_.startOf(slot) != nullptr) {
                store_.restore(engine.scenes, *store_.startOf(slot));
                fresh = true;
            }
            report.from = fresh ? "from scene start" : "clocks only: the scene's state stays as it was left";
        }
        if (fresh) saveStart(show, slot);
        int simulated = 0;
        for (int k = first; k < n; ++k) {
            const bool mine = timeline_.drawnSlot[static_cast<size_t>(k)] == slot;
            if (fresh && mine && simulated > 0 && simulated % kCheckpointEvery == 0) {
                const Checkpoint* have = store_.nearest(slot, k);
                if (have == nullptr || have->frame != k) store_.save(engine.scenes, slot, k, show.demoTime(), false);
            }
            show.advanceClock(capture_plan::stepBefore(k, fps_));
            if (fresh && mine) {
                show.simulateFrame();
                ++simulated;
            } else {
                show.stepFrame();
            }
        }
        report.steps = simulated;
        carry = capture_plan::stepBefore(n, fps_);
        if (fresh) markRun(slot);
    }
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return carry;
}

}  // namespace dev
