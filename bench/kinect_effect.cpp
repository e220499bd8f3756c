// The depth-camera scene's cost: load time and peak memory, the CPU and wall time of one
// frame (update + render + finish) and the heap allocations a frame makes, and the time to
// decode one recording frame (two TIFF files into the float texels).
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_kinect_effect
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
// VELLUNA_BENCH_SIZE=WxH picks the render size (640x360 by default).
#include "scene_bench.h"

#include <vector>

#include "scenes/depth/depth_frame.h"
#include "scenes/depth/part_kinect_effect.h"

namespace {

scene_bench::Stage<Part_KinectEffect>* stage() {
    return scene_bench::stage<Part_KinectEffect>([](Data_Interface&) {});
}

// At 60 Hz a recording frame is decoded on every third or fourth frame.
void BM_FramePlate(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 1.0f); }
void BM_FrameRain(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 14.0f); }

// Decoding one recording frame: both files read and decoded into the texels (no upload).
void BM_DecodeFrame(benchmark::State& state) {
    const Part_KinectEffect& scene = *stage()->scene;
    if (scene.depthFileNames.empty()) {
        state.SkipWithError("no recording");
        return;
    }
    std::vector<float> texels(scene.depthPixels.size());
    size_t k = 0;
    const long before = scene_bench::allocations.load();
    for (auto _ : state) {
        depth_frame::readDepthFrame(scene.depthFileNames[k], scene.signalFileNames[k], scene.depthWidth,
                                    scene.depthHeight, texels.data());
        k = (k + 1) % scene.depthFileNames.size();
    }
    state.counters["allocs/decode"] =
        benchmark::Counter(double(scene_bench::allocations.load() - before) / double(state.iterations()));
    state.counters["width"] = scene.depthWidth;
    state.counters["height"] = scene.depthHeight;
}

}  // namespace

BENCHMARK(BM_DecodeFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramePlate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameRain)->Unit(benchmark::kMillisecond)->UseRealTime();
