#pragma once
// Seeking that shows the true state: the scenes are stepped at a fixed step, without drawing,
// the way an offline capture reaches a frame in the middle of a scene: the clocks from the
// show's start, the target scene's simulation from its start. Frame n of that grid shows demo
// time n / fps, as capture's frame n does.
//
// Checkpoints (checkpoint_store.h) make it cheap: a scene's particle state is saved before it
// first runs (so it can be stepped from its start again after it has played), and every
// second of grid time while a seek steps it; a seek replays only from the latest checkpoint
// before its target. A seek forward inside the scene that is playing steps on from where it
// stands. A scene whose state was never saved and has run cannot be rewound: such a seek moves
// the clocks only and says so.
#include <string>

#include "capture/capture_plan.h"
#include "dev/checkpoint_store.h"
#include "driver/scene_table.h"

struct DevShow;

namespace dev {

struct SeekReport {
    int steps = 0;         // frames simulated
    double seconds = 0.0;  // wall time the seek took
    std::string from;      // where it stepped from, or why the state is not true
};

class Resimulation {
public:
    explicit Resimulation(int64_t budgetBytes) : store_(budgetBytes) {}

    // Call once after loading, before the first frame: plans the show's frames at `fps` and
    // remembers the clocks' start values.
    void prepare(const DevShow& show, double fps);

    // Moves the show to demo time `target` (to the nearest frame of the grid when it replays).
    // Returns the step the next frame must add to land on it (capture's step into the frame it
    // draws).
    float seek(const DevShow& show, double target, SeekReport& report);

    // Before a real-time frame: saves the start state of the scenes that may run in it.
    void beforeFrame(const DevShow& show);
    // The active scene has run its simulation in this frame.
    void markRun(int slot);
    bool hasRun(int slot) const { return slot >= 0 && slot < scene_table::kSlots && run_[slot]; }

    double fps() const { return fps_; }
    const capture_plan::Timeline& timeline() const { return timeline_; }
    const CheckpointStore& store() const { return store_; }

private:
    void saveStart(const DevShow& show, int slot);

    double fps_ = 60.0;
    capture_plan::Timeline timeline_;
    capture_plan::Clock startClocks_[scene_table::kSlots] = {};
    bool run_[scene_table::kSlots] = {};
    CheckpointStore store_;
};

}  // namespace dev
