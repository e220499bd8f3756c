// Load-time costs of the formats: ".objb" read, cache write and cache read (MB/s of the file
// read or written), and the camera path's load with its smoothing for 10,000 samples.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/camera_path.h"
#include "formats/mesh_cache.h"
#include "formats/objb.h"

namespace {

std::string scratch(const std::string& name) {
    static std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "velluna-bench-XXXXXX").string();
        std::string made = mkdtemp(pattern.data());
        static std::string removeAtExit = made;
        std::atexit([] { std::filesystem::remove_all(removeAtExit); });
        return made;
    }();
    return dir + "/" + name;
}

// Four parts of 60,000 vertices and triangles each: about a show mesh's size (9 MB).
const ObjbMesh& bigMesh() {
    static ObjbMesh mesh = [] {
        ObjbMesh m;
        m.hasNormals = m.hasColours = true;
        for (int p = 0; p < 4; ++p) {
            MeshPart part;
            for (int v = 0; v < 60000; ++v) {
                float f = float(v) * 0.001f + float(p);
                part.positions.insert(part.positions.end(), {std::sin(f) * 3, std::cos(f * 1.3f), f});
                part.normals.insert(part.normals.end(), {std::cos(f), 0.0f, std::sin(f)});
                part.colours.insert(part.colours.end(), {std::sin(f * 3), 0.2f, -0.4f});
                part.indices.insert(part.indices.end(), {uint32_t(v), uint32_t((v + 1) % 60000), uint32_t((v + 7) % 60000)});
            }
            m.parts.push_back(std::move(part));
        }
        return m;
    }();
    return mesh;
}

std::vector<const MeshPart*> cacheParts(std::vector<MeshPart>& storage) {
    storage = bigMesh().parts;
    std::vector<const MeshPart*> list;
    for (MeshPart& part : storage) {
        for (float& c : part.colours) c = c * 0.5f + 0.5f;
        list.push_back(&part);
    }
    return list;
}

void BM_ObjbRead(benchmark::State& state) {
    const std::string path = scratch("bench.objb");
    writeObjb(path, bigMesh());
    ObjbMesh mesh;
    std::string error;
    for (auto _ : state) {
        if (!readObjb(path, mesh, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(mesh.parts.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}

void BM_CacheWrite(benchmark::State& state) {
    const std::string path = scratch("bench.objbcomp");
    std::vector<MeshPart> storage;
    const std::vector<const MeshPart*> parts = cacheParts(storage);
    for (auto _ : state) writeMeshCache(path, {-3, -1, 0}, {3, 1, 64}, parts);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}

void BM_CacheRead(benchmark::State& state) {
    const std::string path = scratch("bench.objbcomp");
    std::vector<MeshPart> storage;
    writeMeshCache(path, {-3, -1, 0}, {3, 1, 64}, cacheParts(storage));
    std::vector<MeshPart> parts;
    TVector lo, hi;
    std::string error;
    for (auto _ : state) {
        if (!readMeshCache(path, 1.0f, parts, lo, hi, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(parts.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(std::filesystem::file_size(path)));
}

// Load, loop blend and the three smoothings of a 10,000-sample path.
void BM_PathLoadAndSmooth(benchmark::State& state) {
    const std::string path = scratch("bench.sav");
    std::vector<PathRecord> records(10000);
    for (size_t i = 0; i < records.size(); ++i) {
        double t = double(i) * 0.01;
        records[i] = {float(std::sin(t) * 200), float(std::cos(t * 0.7) * 50), float(t),
                      std::sin(t * 0.3), std::cos(t * 0.2) * 1000};
    }
    writePathRecords(path, records);
    for (auto _ : state) {
        CameraPath camera;
        camera.load(path);
        benchmark::DoNotOptimize(camera.pointCurve.points.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 10000);
}

}  // namespace

BENCHMARK(BM_ObjbRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathLoadAndSmooth)->Unit(benchmark::kMillisecond);
