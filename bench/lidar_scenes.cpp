// The two scan scenes' costs: each scene's load time and the peak memory after it, then the
// time of one frame (update + render, finished) at a few scene times, the heap allocations a
// frame makes, and what one draw of a whole 3-million-point cloud costs.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show-full/bin && ../../../scripts/xvfb-run-here ../../bench/bench_lidar_scenes
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
#include "gpu/image_texture.h"
#include "scenes/lidar/part_lidar_ao.h"
#include "scenes/lidar/part_lidar_ao_start.h"
#include "scenes/lidar/point_cloud.h"

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

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

template <typename F>
double seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Stage {
    VREngine2 display;
    Data_Interface engine;
    ImageTexture sky;
    PointCloud park;
    std::unique_ptr<Part_LidarAOStart> town;
    std::unique_ptr<Part_LidarAO> statue;
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
        st->sky.loadImage("..//newresources//skybox.png", true);
        st->engine.skyboxTexture = &st->sky;
        const double base = peakMiB();
        const double shared = seconds([&] {
            st->park.loadCompressed("..//newresources//2.ascbb");
            st->park.upload();
        });
        st->engine.pointCloud = &st->park;
        std::fprintf(stderr, "bench: shared park cloud (%d points) %.2f s, peak %.0f MiB (before: %.0f MiB)\n",
                     st->park.count, shared, peakMiB(), base);

        st->town = std::make_unique<Part_LidarAOStart>();
        st->town->engine = &st->engine;
        const double townLoad = seconds([&] {
            st->town->load();
            st->town->finishLoad();
        });
        std::fprintf(stderr, "bench: Part_LidarAOStart load %.2f s, peak %.0f MiB\n", townLoad, peakMiB());

        st->statue = std::make_unique<Part_LidarAO>();
        st->statue->engine = &st->engine;
        const double statueLoad = seconds([&] {
            st->statue->load();
            st->statue->finishLoad();
        });
        std::fprintf(stderr, "bench: Part_LidarAO load %.2f s, peak %.0f MiB\n", statueLoad, peakMiB());
        return st;
    }();
    return s;
}

// One frame at scene time `t`, steady 60 Hz steps from there.
void frameAt(benchmark::State& state, Part& scene, float t, float end) {
    Stage* s = stage();
    s->engine.frameDelta = 1.0f / 60.0f;
    scene.localTime = t;
    scene.done = false;
    const float offset[3] = {0, 0, 0};
    long allocations = 0;
    for (auto _ : state) {
        if (scene.localTime > end) scene.localTime = t;
        const long before = g_allocations.load();
        scene.update(&s->engine);
        scene.render(&s->engine, 0, offset);
        allocations += g_allocations.load() - before;
        glFinish();
    }
    state.counters["allocs/frame"] = benchmark::Counter(double(allocations) / double(state.iterations()));
}

void BM_TownFrame(benchmark::State& state) { frameAt(state, *stage()->town, 5.0f, 35.0f); }
void BM_ParkFrameSpline(benchmark::State& state) { frameAt(state, *stage()->statue, 8.0f, 16.0f); }
void BM_ParkFrameStatueAndFog(benchmark::State& state) { frameAt(state, *stage()->statue, 40.0f, 44.0f); }
void BM_ParkFrameSky(benchmark::State& state) { frameAt(state, *stage()->statue, 52.0f, 55.0f); }

// One draw of the whole park cloud with the park's point program, from the orbit at 40 s
// (the frame bench above has set the program's matrices).
void BM_CloudDraw(benchmark::State& state) {
    Stage* s = stage();
    const float offset[3] = {0, 0, 0};
    s->statue->localTime = 40.0f;
    s->statue->done = false;
    s->statue->render(&s->engine, 0, offset);
    s->display.beginEyePass(0);
    s->statue->materialProgram.use();
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);
    glFinish();
    for (auto _ : state) {
        s->park.draw(1.0f, 0);
        glFinish();
    }
    state.counters["points"] = s->park.count;
}

}  // namespace

BENCHMARK(BM_TownFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParkFrameSpline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParkFrameStatueAndFog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParkFrameSky)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CloudDraw)->Unit(benchmark::kMillisecond)->UseRealTime();
