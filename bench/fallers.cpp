// The fallers scene's cost: load time and peak memory (load and finishLoad), then the CPU and
// wall time of one frame (update + render + finish) and the heap allocations a frame makes,
// early in the scene and while the camera lifts.
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_fallers
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
// VELLUNA_BENCH_SIZE=WxH picks the render size (640x360 by default).
#include "scene_bench.h"

#include "gpu/shader_program.h"
#include "scenes/particles/part_fallers.h"

namespace {

scene_bench::Stage<Part_Fallers>* stage() {
    return scene_bench::stage<Part_Fallers>([](Data_Interface& engine) {
        static ShaderProgram colour;
        static ShaderProgram texture;
        colour.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixed.cpp");
        texture.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedtexture.cpp");
        engine.colorProgram = &colour;
        engine.textureProgram = &texture;
    });
}

void BM_FallersFrame(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 4.0f, 15.0f); }
void BM_FallersFrameLifting(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 16.5f, 18.9f); }

}  // namespace

BENCHMARK(BM_FallersFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FallersFrameLifting)->Unit(benchmark::kMillisecond)->UseRealTime();
