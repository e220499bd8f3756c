#pragma once
// What the scene benchmarks share: a counting global allocator, a stage (a display at
// VELLUNA_BENCH_SIZE, 640x360 by default, the flow field, the scene loaded once with its load
// time and peak memory), and one frame (update + render + finish) at a chosen scene time.
//
//   Stage<Part_X>* s = stage<Part_X>([](Data_Interface& e) { /* shared assets */ });
//   frameAt(state, *s, 14.0f);            // or frameAt(state, *s, 4.0f, 18.9f)
//
// NOTE: replaces the global operator new: include it in one source file per executable.
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

namespace scene_bench {
inline std::atomic<long> allocations{0};
}

// Counting replacements of the global allocator (malloc underneath, so free is its match).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    scene_bench::allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace scene_bench {

template <typename Scene>
struct Stage {
    VREngine2 display;
    Data_Interface engine;
    std::unique_ptr<Scene> scene;
    double loadSeconds = 0.0;
    long peakKiB = 0;
};

// The stage, made on first use: `prepare` adds the shared assets the scene reads.
template <typename Scene, typename Prepare>
Stage<Scene>* stage(Prepare prepare) {
    static Stage<Scene>* s = [&] {
        auto* st = new Stage<Scene>();
        int w = 640, h = 360;
        if (const char* size = std::getenv("VELLUNA_BENCH_SIZE")) std::sscanf(size, "%dx%d", &w, &h);
        if (!st->display.initWindowed(0, 0, w, h, false)) std::exit(1);
        st->engine.display = &st->display;
        st->engine.viewWidth = static_cast<float>(w);
        st->engine.viewHeight = static_cast<float>(h);
        loadFlowField(st->engine.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");
        prepare(st->engine);

        st->scene = std::make_unique<Scene>();
        st->scene->engine = &st->engine;
        const auto start = std::chrono::steady_clock::now();
        st->scene->load();
        st->scene->finishLoad();   // as the sequencer does: joins what load started
        st->loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        st->peakKiB = usage.ru_maxrss;
        std::fprintf(stderr, "bench: load %.2f s, peak resident %.0f MiB\n", st->loadSeconds, st->peakKiB / 1024.0);
        return st;
    }();
    return s;
}

// Frames from scene time `t` in steady 60 Hz steps, back to `t` once the clock passes
// `restartAfter` (keep it below the scene's end, which would stop its drawing).
template <typename Scene>
void frameAt(benchmark::State& state, Stage<Scene>& s, float t, float restartAfter = 26.9f) {
    s.scene->localTime = t;
    s.scene->done = false;
    s.engine.frameDelta = 1.0f / 60.0f;
    const float offset[3] = {0, 0, 0};
    long count = 0;
    for (auto _ : state) {
        if (s.scene->localTime > restartAfter) s.scene->localTime = t;
        const long before = allocations.load();
        s.scene->update(&s.engine);
        s.scene->render(&s.engine, 0, offset);
        count += allocations.load() - before;
        glFinish();
    }
    state.counters["allocs/frame"] = benchmark::Counter(double(count) / double(state.iterations()));
    state.counters["load_s"] = s.loadSeconds;
    state.counters["peak_MiB"] = s.peakKiB / 1024.0;
}

}  // namespace scene_bench
