// The closing scene's cost: load time (the 60-view point bake included) and peak memory, and
// the CPU and wall time of one frame (update + render + finish) with the heap allocations a
// frame makes, at three moments: the baked scan with walkers, an orbit, and the climax.
// Run from the run tree's bin/ (it opens ../newresources and ../shaders), under a display:
//   cd build/show/bin && ../../../scripts/xvfb-run-here ../../bench/bench_demo_lidar_tree
// GALLIUM_NOOP=1 drops the rendering, which leaves the engine's own CPU cost.
// VELLUNA_BENCH_SIZE=WxH picks the render size (640x360 by default).
#include "scene_bench.h"

#include <cstdio>

#include "formats/tg_object.h"
#include "gpu/image_texture.h"
#include "scenes/lidar/part_demo_lidar_tree.h"
#include "scenes/lidar/point_cloud.h"

namespace {

// The shared assets the scene draws: the walk cycle, the park cloud and the sky.
void prepare(Data_Interface& e) {
    char path[96];
    for (int i = 0; i < 56; ++i) {
        std::snprintf(path, sizeof path, "..//newresources//walkers2//mesh.%04d.objb", i + 1);
        e.walkerMeshes[i] = new TGObject();
        e.walkerMeshes[i]->loadObjb(path, 0.01f, true);
    }
    e.pointCloud = new PointCloud();
    e.pointCloud->loadCompressed("..//newresources//2.ascbb");
    e.pointCloud->upload();
    e.skyboxTexture = new ImageTexture();
    e.skyboxTexture->loadImage("..//newresources//skybox.png", true);
}

scene_bench::Stage<Part_DEMOLidarTree>* stage() { return scene_bench::stage<Part_DEMOLidarTree>(prepare); }

void BM_FrameScan(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 8.0f); }
void BM_FrameOrbit(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 15.0f); }
void BM_FrameClimax(benchmark::State& state) { scene_bench::frameAt(state, *stage(), 85.0f); }

}  // namespace

BENCHMARK(BM_FrameScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameOrbit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameClimax)->Unit(benchmark::kMillisecond)->UseRealTime();
