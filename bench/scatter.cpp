// Scatter throughput, single thread: the show places about 100 million points at load time.
// Items are points placed (all inside the box). BM_Scatter is the show's scatter,
// BM_ScatterPlain the point-by-point definition it must equal bit for bit.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "gpu/texture_object.h"
#include "gpu/texture_scatter.h"

namespace {

// A 1 x 1 x 1 cube-ish blob of about 9,700 triangles (a walk frame's budget), 103 points each.
std::unique_ptr<TGObject> blob() {
    auto mesh = std::make_unique<TGObject>();
    TGObjectPart& part = mesh->parts[0];
    const int rings = 70, segments = 70;
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s <= segments; ++s) {
            float th = float(M_PI) * float(r) / rings, ph = 2.0f * float(M_PI) * float(s) / segments;
            float x = std::sin(th) * std::cos(ph), y = std::cos(th), z = std::sin(th) * std::sin(ph);
            part.positions.insert(part.positions.end(), {x, y, z});
            part.normals.insert(part.normals.end(), {x, y, z});
            part.colours.insert(part.colours.end(), {0.5f + 0.5f * x, 0.5f + 0.5f * y, 0.5f});
        }
    }
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            uint32_t a = uint32_t(r * (segments + 1) + s), b = a + segments + 1;
            part.indices.insert(part.indices.end(), {a, b, a + 1, a + 1, b, b + 1});
        }
    }
    mesh->partCount = 1;
    mesh->uploadPart(0);
    mesh->loaded = true;
    return mesh;
}

template <bool Fast>
void scatterBench(benchmark::State& state) {
    static std::unique_ptr<TGObject> mesh = blob();
    const int side = static_cast<int>(state.range(0));
    std::vector<float> positions(size_t(4) * side * side), colours(positions.size()), normals(size_t(3) * side * side);
    ScatterArrays out{positions.data(), colours.data(), normals.data(), int64_t(side) * side};
    const TVector lo{-2, -2, -2}, hi{2, 2, 2};
    int64_t points = 0;
    // Silence the million-step prints while timing.
    std::fflush(stdout);
    const int saved = dup(1);
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    for (auto _ : state) {
        uint32_t rng = 4134;
        int32_t filled = Fast ? scatterMesh(*mesh, 81, 10, lo, hi, 0.126f, rng, out)
                              : scatterMeshPlain(*mesh, 81, 10, lo, hi, 0.126f, rng, out);
        benchmark::DoNotOptimize(filled);
        points += int64_t(mesh->parts[0].indexCount / 3) * 103;
    }
    std::fflush(stdout);
    dup2(saved, 1);
    close(devnull);
    close(saved);
    state.SetItemsProcessed(points);
}

}  // namespace

// Grids: 512 x 512 (a small set, mostly in cache), 1000 x 1000 (walk frames), 2560 x 2560.
BENCHMARK(scatterBench<true>)->Name("BM_Scatter")->Arg(512)->Arg(1000)->Arg(2560)->Unit(benchmark::kMillisecond);
BENCHMARK(scatterBench<false>)->Name("BM_ScatterPlain")->Arg(512)->Arg(1000)->Arg(2560)->Unit(benchmark::kMillisecond);
