// The forest scene's cost: one tree build on the CPU (what each worker repeats, and what a
// capture frame does twice), the upload of both tree textures, then the scene's load time,
// peak memory and one frame (update + render + finish) with its heap allocations.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_particle_shadow_forest
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
#include "gpu/shader_program.h"
#include "scenes/lidar/ttree.h"
#include "scenes/particles/part_particle_shadow_forest.h"

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

// One rebuild at scene time 12 (a full crown), after the first build as in the show.
void BM_TreeBuild(benchmark::State& state) {
    auto tree = std::make_unique<TTree>();
    ttree::rebuildTree(*tree, 0, 0.3f, TreeControls{});
    long allocations = 0;
    for (auto _ : state) {
        const long before = g_allocations.load();
        ttree::rebuildTree(*tree, 0, 12.0f, TreeControls{});
        allocations += g_allocations.load() - before;
        benchmark::DoNotOptimize(tree->pixels);
    }
    state.counters["allocs/build"] = benchmark::Counter(double(allocations) / double(state.iterations()));
}
BENCHMARK(BM_TreeBuild)->Unit(benchmark::kMillisecond);

struct Stage {
    VREngine2 display;
    Data_Interface engine;
    ShaderProgram colour;
    std::unique_ptr<Part_ParticleShadowForest> scene;
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
        st->colour.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixed.cpp");
        st->engine.colorProgram = &st->colour;
        loadFlowField(st->engine.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");

        st->scene = std::make_unique<Part_ParticleShadowForest>();
        st->scene->engine = &st->engine;
        const auto start = std::chrono::steady_clock::now();
        st->scene->load();
        st->loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        st->peakKiB = usage.ru_maxrss;
        std::fprintf(stderr, "bench: load %.2f s, peak resident %.0f MiB\n", st->loadSeconds, st->peakKiB / 1024.0);
        // Frames build their own trees, as in capture mode, so that no worker runs beside them.
        st->scene->buildTreesPerFrame = true;
        return st;
    }();
    return s;
}

// Uploading the newest image of both trees into their textures.
void BM_TreeUpload(benchmark::State& state) {
    Stage* s = stage();
    for (auto _ : state) {
        for (TTree& tree : s->scene->trees) {
            glBindTexture(GL_TEXTURE_2D, tree.texture);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, ttree::kStepsPerBranch, ttree::kBranchesPerTree, GL_RGBA,
                            GL_FLOAT, tree.images.latest());
        }
        glFinish();
    }
}

// One frame at scene time `t` (steady 60 Hz steps from there). While the trees grow, each
// frame also builds both trees.
void frameAt(benchmark::State& state, float t) {
    Stage* s = stage();
    s->scene->localTime = t;
    s->scene->done = false;
    s->engine.frameDelta = 1.0f / 60.0f;
    const float offset[3] = {0, 0, 0};
    long allocations = 0;
    for (auto _ : state) {
        if (s->scene->localTime > t + 1.0f) s->scene->localTime = t;
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

void BM_FrameGrowing(benchmark::State& state) { frameAt(state, 10.0f); }
void BM_FrameGrown(benchmark::State& state) { frameAt(state, 25.0f); }

}  // namespace

BENCHMARK(BM_TreeUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameGrowing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameGrown)->Unit(benchmark::kMillisecond)->UseRealTime();
