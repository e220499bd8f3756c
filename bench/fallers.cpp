// The fallers scene's cost: load time and peak memory (load and finishLoad), then the CPU and
// wall time of one frame (update + render + finish) and the heap allocations a frame makes,
// early in the scene and while the camera lifts.
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_fallers
//   GALLIUM_NOOP=1 ...   the engine's own CPU cost;  VELLUNA_BENCH_SIZE=WxH   the render size
#include <memory>

#include "scene_bench.h"
#include "scenes/particles/part_fallers.h"

namespace {

struct FallersStage {
    scene_bench::Stage stage;
    std::unique_ptr<Part_Fallers> scene = std::make_unique<Part_Fallers>();
    FallersStage() { scene_bench::open(stage, *scene); }
};

FallersStage& fallers() {
    static FallersStage* s = new FallersStage();
    return *s;
}

void BM_FallersFrame(benchmark::State& state) {
    scene_bench::frames(state, fallers().stage, *fallers().scene, 4.0f, 15.0f);
}
void BM_FallersFrameLifting(benchmark::State& state) {
    scene_bench::frames(state, fallers().stage, *fallers().scene, 16.5f, 18.9f);
}

}  // namespace

BENCHMARK(BM_FallersFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FallersFrameLifting)->Unit(benchmark::kMillisecond)->UseRealTime();
