// The particle-shadow scene's cost: load time and peak memory, then the CPU and wall time of
// one frame (update + render + finish) and the heap allocations a frame makes.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_particle_shadow
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
// VELLUNA_BENCH_SIZE=WxH picks the render size (640x360 by default).
#include "scene_bench.h"

#include "gpu/image_texture.h"
#include "gpu/shader_program.h"
#include "scenes/particles/part_particle_shadow.h"

namespace {

scene_bench::Stage<Part_ParticleShadow>* stage() {
    return scene_bench::stage<Part_ParticleShadow>([](Data_Interface& engine) {
        static ShaderProgram colour;
        static ImageTexture sky;
        colour.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixed.cpp");
        engine.colorProgram = &colour;
        sky.loadImage("..//newresources//skybox.png", true);
        engine.skyboxTexture = &sky;
    });
}

void BM_FrameCrowds(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 2.0f); }
void BM_FrameWithStatue(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 20.0f); }

}  // namespace

BENCHMARK(BM_FrameCrowds)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameWithStatue)->Unit(benchmark::kMillisecond)->UseRealTime();
