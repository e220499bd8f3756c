#pragma once
// Checkpoints of the scenes' simulation state, within a memory budget. A checkpoint of a slot
// holds every scene clock (the Part fields, capture_plan::Clock), the demo time, and the slot's
// particle state: the storage buffers and images of the compute systems it made while loading
// (gpu/particle_owners.h), read back into memory, and what the scene's own state hooks save.
//
// A scene's start checkpoint (taken before its first simulated frame) is kept whatever the
// budget says; later ones are dropped oldest first when the budget is full.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/capture_plan.h"
#include "driver/scene_table.h"

class Part;

namespace dev {

struct Checkpoint {
    int slot = -1;
    int frame = -1;      // taken before this frame of the fixed-step grid (-1: a start checkpoint)
    double demoTime = 0.0;
    bool start = false;  // the scene's particle state before its first frame (clocks not used)
    capture_plan::Clock clocks[scene_table::kSlots] = {};
    std::vector<std::vector<uint8_t>> blobs;  // per system: buffers 0-2, images 0 and 2 (empty where not made)
    std::vector<uint8_t> sceneState;          // the scene's own hooks (driver/scene_state_hooks.h)
    size_t bytes() const;
};

class CheckpointStore {
public:
    explicit CheckpointStore(int64_t budgetBytes = int64_t{2048} << 20) : budget_(budgetBytes) {}

    // Saves `slot`'s state at `demoTime` (render thread, GL current). False when the budget
    // has no room for it (a start checkpoint is always kept).
    bool save(Part* const scenes[], int slot, int frame, double demoTime, bool start);
    // The latest grid checkpoint of `slot` taken before a frame at or before `frame`, or nullptr.
    const Checkpoint* nearest(int slot, int frame) const;
    const Checkpoint* startOf(int slot) const;
    // Puts the checkpoint's state back: the slot's particle state and, unless it is a start
    // checkpoint, the clocks of every scene.
    void restore(Part* const scenes[], const Checkpoint& c) const;

    int64_t usedBytes() const { return used_; }
    int64_t budgetBytes() const { return budget_; }
    size_t count() const { return points_.size(); }

private:
    int64_t budget_;
    int64_t used_ = 0;
    std::vector<Checkpoint> points_;
};

// Bytes a checkpoint of `slot` takes (its particle state), without taking one.
int64_t checkpointBytes(int slot);

}  // namespace dev
