// The depth-camera scene's cost: load time and peak memory, the CPU and wall time of one
// frame (update + render + finish) and the heap allocations a frame makes, and the time to
// decode one recording frame (two TIFF files into the float texels).
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_kinect_effect
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
// VELLUNA_BENCH_SIZE=WxH picks the render size (640x360 by default).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "formats/flow_field_loader.h"
#include "scenes/depth/depth_frame.h"
#include "scenes/depth/part_kinect_effect.h"

namespace {
std::atomic<long> g_allocations{0};
}

// Counting replacements of the global allocator (malloc underneath, so free is its match).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

struct Stage {
    VREngine2 display;
    Data_Interface engine;
    std::unique_ptr<Part_KinectEffect> scene;
    double loadSeconds = 0.0;
    long peakKiB = 0;
};

Stage* stage() {
    static Stage* s = [] {
        auto* st = new Stage();
        int w = 640, h = 360;
        if (const char* size = std::getenv("VELLUNA_BENCH_SIZE")) std::sscanf(size, "%dx%d", &w, &h);
        if (!st->display.initWindowed(0, 0, w, h, false)) std::exit(1);
        st->engine.display = &st->display;
        st->engine.viewWidth = static_cast<float>(w);
        st->engine.viewHeight = static_cast<float>(h);
        loadFlowField(st->engine.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");

        st->scene = std::make_unique<Part_KinectEffect>();
        st->scene->engine = &st->engine;
        const auto start = std::chrono::steady_clock::now();
        st->scene->load();
        st->loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        st->peakKiB = usage.ru_maxrss;
        std::fprintf(stderr, "bench: load %.2f s, peak resident %.0f MiB, recording %d x %d, %zu frames\n",
                     st->loadSeconds, st->peakKiB / 1024.0, st->scene->depthWidth, st->scene->depthHeight,
                     st->scene->depthFileNames.size());
        return st;
    }();
    return s;
}

// One frame at scene time `t` (steady 60 Hz steps from there, so a recording frame is
// decoded on every third or fourth).
void frameAt(benchmark::State& state, float t) {
    Stage* s = stage();
    s->scene->localTime = t;
    s->scene->done = false;
    s->engine.frameDelta = 1.0f / 60.0f;
    const float offset[3] = {0, 0, 0};
    long allocations = 0;
    for (auto _ : state) {
        if (s->scene->localTime > 26.9f) s->scene->localTime = t;
        const long before = g_allocations.load();
        s->scene->update(&s->engine);
        s->scene->render(&s->engine, 0, offset);
        allocations += g_allocations.load() - before;
        glFinish();
    }
    state.counters["allocs/frame"] = benchmark::Counter(double(allocations) / double(state.iterations()));
    state.counters["load_s"] = s->loadSeconds;
    state.counters["peak_MiB"] = s->peakKiB / 1024.0;
}

void BM_FramePlate(benchmark::State& state) { frameAt(state, 1.0f); }
void BM_FrameRain(benchmark::State& state) { frameAt(state, 14.0f); }

// Decoding one recording frame: both files read and decoded into the texels (no upload).
void BM_DecodeFrame(benchmark::State& state) {
    Stage* s = stage();
    const Part_KinectEffect& scene = *s->scene;
    if (scene.depthFileNames.empty()) {
        state.SkipWithError("no recording");
        return;
    }
    std::vector<float> texels(scene.depthPixels.size());
    size_t k = 0;
    for (auto _ : state) {
        depth_frame::readDepthFrame(scene.depthFileNames[k], scene.signalFileNames[k], scene.depthWidth,
                                    scene.depthHeight, texels.data());
        k = (k + 1) % scene.depthFileNames.size();
    }
}

}  // namespace

BENCHMARK(BM_DecodeFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FramePlate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameRain)->Unit(benchmark::kMillisecond)->UseRealTime();
