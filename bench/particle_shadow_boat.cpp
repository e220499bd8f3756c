// The boat scene's cost: load time (load + finishLoad) and peak memory, then the CPU and wall
// time of one frame (update + render + finish), the heap allocations a frame makes, and the
// two big pieces of a frame on their own: the compute step of the 2560 x 2560 particles and
// drawing them as points.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_particle_shadow_boat
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
#include "gpu/shader_program.h"
#include "scenes/particles/part_particle_shadow_boat.h"
#include "scenes/particles/particle_kit.h"

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
    ShaderProgram colour;
    ShaderProgram textured;
    std::unique_ptr<Part_ParticleShadowBoat> scene;
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
        st->textured.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedtexture.cpp");
        st->engine.colorProgram = &st->colour;
        st->engine.textureProgram = &st->textured;
        loadFlowField(st->engine.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");

        st->scene = std::make_unique<Part_ParticleShadowBoat>();
        st->scene->engine = &st->engine;
        const auto start = std::chrono::steady_clock::now();
        st->scene->load();
        st->scene->finishLoad();
        st->loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        st->peakKiB = usage.ru_maxrss;
        std::fprintf(stderr, "bench: load %.2f s, peak resident %.0f MiB\n", st->loadSeconds,
                     st->peakKiB / 1024.0);
        return st;
    }();
    return s;
}

void report(benchmark::State& state, long allocations) {
    Stage* s = stage();
    state.counters["allocs/frame"] = benchmark::Counter(double(allocations) / double(state.iterations()));
    state.counters["load_s"] = s->loadSeconds;
    state.counters["peak_MiB"] = s->peakKiB / 1024.0;
}

// One frame at scene time `t` (steady 60 Hz steps from there).
void frameAt(benchmark::State& state, float t) {
    Stage* s = stage();
    s->scene->localTime = t;
    s->scene->done = false;
    s->engine.frameDelta = 1.0f / 60.0f;
    const float offset[3] = {0, 0, 0};
    long allocations = 0;
    for (auto _ : state) {
        if (s->scene->localTime > t + 2.0f) s->scene->localTime = t;
        const long before = g_allocations.load();
        s->scene->update(&s->engine);
        s->scene->render(&s->engine, 0, offset);
        allocations += g_allocations.load() - before;
        glFinish();
    }
    report(state, allocations);
}

// The compute step alone (the scene set bound, as before 35).
void BM_ComputeStep(benchmark::State& state) {
    Stage* s = stage();
    ComputeParticleSystem& system = s->scene->system;
    for (auto _ : state) {
        system.bindForStep(2.0f, 1.0f / 60.0f);
        bindSampleSet(system, s->scene->samples[boat::kSceneSet], s->scene->samples[boat::kSceneSet]);
        system.dispatch();
        finishParticleSteps();
        glFinish();
    }
    report(state, 0);
}

// Drawing the 6.5 million points alone, into the eye target.
void BM_PointDraw(benchmark::State& state) {
    Stage* s = stage();
    for (auto _ : state) {
        s->display.beginEyePass(0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        beginParticleDraw(s->scene->particleProgram, &s->engine, s->scene->system, {});
        drawParticleSystem(s->scene->particleProgram, s->scene->system, 2.0f);
        endParticleDraw();
        s->display.resolveEyePass(0);
        glFinish();
    }
    report(state, 0);
}

void BM_FrameBoat(benchmark::State& state) { frameAt(state, 2.0f); }
void BM_FrameCar(benchmark::State& state) { frameAt(state, 29.0f); }
void BM_FrameHeads(benchmark::State& state) { frameAt(state, 48.0f); }

}  // namespace

BENCHMARK(BM_FrameBoat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameCar)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameHeads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ComputeStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointDraw)->Unit(benchmark::kMillisecond)->UseRealTime();
