#pragma once
// A scene on a real display, for the scene benchmarks: opens a window of VELLUNA_BENCH_SIZE
// (640x360 by default), gives the engine its shared programs, flow field and sky, loads the
// scene (load, then finishLoad) and records the load's wall time and the peak resident
// memory; then times frames (update + render + glFinish) and counts the heap allocations a
// frame makes. Include it in exactly one file of a benchmark: it replaces the global
// allocator to count.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display;
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "display/vr_engine2.h"
#include "driver/data_interface.h"
#include "driver/part.h"
#include "formats/flow_field_loader.h"
#include "gpu/image_texture.h"
#include "gpu/shader_program.h"

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

struct Stage {
    VREngine2 display;
    Data_Interface engine;
    ShaderProgram colour;
    ShaderProgram texture;
    ImageTexture sky;
    double loadSeconds = 0.0;
    long peakKiB = 0;
};

// Opens the display and loads `scene` into it; ends the process when there is no display.
inline void open(Stage& st, Part& scene) {
    int w = 640, h = 360;
    if (const char* size = std::getenv("VELLUNA_BENCH_SIZE")) std::sscanf(size, "%dx%d", &w, &h);
    if (!st.display.initWindowed(0, 0, w, h, false)) std::exit(1);
    st.engine.display = &st.display;
    st.engine.viewWidth = static_cast<float>(w);
    st.engine.viewHeight = static_cast<float>(h);
    st.colour.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixed.cpp");
    st.texture.build("../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedtexture.cpp");
    st.engine.colorProgram = &st.colour;
    st.engine.textureProgram = &st.texture;
    loadFlowField(st.engine.flowField, "../newresources//velocity.dat", "../newresources/voronoimap.bin");
    st.sky.loadImage("..//newresources//skybox.png", true);
    st.engine.skyboxTexture = &st.sky;

    scene.engine = &st.engine;
    const auto start = std::chrono::steady_clock::now();
    scene.load();
    scene.finishLoad();
    st.loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    st.peakKiB = usage.ru_maxrss;
    std::fprintf(stderr, "bench: load %.2f s, peak resident %.0f MiB\n", st.loadSeconds, st.peakKiB / 1024.0);
}

// Frames from scene time `t` on in steady 60 Hz steps, starting over from `t` once the clock
// passes `restartAfter`.
inline void frames(benchmark::State& state, Stage& st, Part& scene, float t, float restartAfter) {
    scene.localTime = t;
    scene.done = false;
    st.engine.frameDelta = 1.0f / 60.0f;
    const float offset[3] = {0, 0, 0};
    long counted = 0;
    for (auto _ : state) {
        if (scene.localTime > restartAfter) scene.localTime = t;
        scene.done = false;
        const long before = allocations.load();
        scene.update(&st.engine);
        scene.render(&st.engine, 0, offset);
        counted += allocations.load() - before;
        glFinish();
    }
    state.counters["allocs/frame"] = benchmark::Counter(double(counted) / double(state.iterations()));
    state.counters["load_s"] = st.loadSeconds;
    state.counters["peak_MiB"] = st.peakKiB / 1024.0;
}

}  // namespace scene_bench
