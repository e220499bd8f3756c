// Generator commands for the meshes: the scatter budget report and the mesh previews.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "generator/catalogue.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/budget.h"
#include "generator/meshes/preview.h"
#include "generator/meshes/walkers.h"

namespace kit {

namespace {

// Builds every mesh asset whose file contains `only`, on all cores; seconds per mesh in `secs`.
std::vector<Mesh> buildAll(bool small, const std::string& only, std::vector<const MeshAsset*>& which,
                           std::vector<double>& secs) {
    which.clear();
    for (const MeshAsset& a : meshAssets())
        if (only.empty() || a.file.find(only) != std::string::npos) which.push_back(&a);
    std::vector<Mesh> meshes(which.size());
    secs.assign(which.size(), 0.0);
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < which.size(); i = next++) {
            const auto t0 = std::chrono::steady_clock::now();
            meshes[i] = buildFinal(*which[i], small);
            secs[i] = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        }
    };
    std::vector<std::thread> pool;
    for (unsigned j = 0; j < std::max(1u, std::thread::hardware_concurrency()); ++j) pool.emplace_back(worker);
    for (std::thread& t : pool) t.join();
    return meshes;
}

std::string onlyFilter() {
    const char* v = std::getenv("VELLUNA_MESH_ONLY");
    return v ? v : "";
}

int budgets(const content::Context& ctx) {
    std::vector<const MeshAsset*> which;
    std::vector<double> secs;
    const std::vector<Mesh> meshes = buildAll(ctx.small, onlyFilter(), which, secs);
    std::printf("meshes: scatter budgets (%s set); each set must fill 60-100 %% of its grid\n", ctx.small ? "small" : "full");
    std::printf("%-26s %-24s %9s %12s %12s %12s %7s\n", "set", "file", "triangles", "area loaded", "points", "grid", "fill");
    int bad = 0;
    for (const ScatterSet& set : scatterSets()) {
        const Mesh* mesh = nullptr;
        for (size_t i = 0; i < which.size(); ++i)
            if (which[i]->file == set.file) mesh = &meshes[i];
        if (mesh == nullptr) continue;
        const Prediction p = predict(*mesh, set);
        const bool ok = p.withinBand();
        bad += !ok;
        std::printf("%-26s %-24s %9zu %12.4g %12llu %12llu %6.1f%% %s\n", set.name.c_str(), set.file.c_str(), mesh->triangles(),
                    p.areaLoaded, static_cast<unsigned long long>(p.points), static_cast<unsigned long long>(p.grid),
                    100.0 * p.fill(), ok ? "ok" : "OUT OF BAND");
    }
    std::printf("meshes: every mesh (file units)\n");
    std::printf("%-24s %6s %9s %9s %11s  %-40s %7s\n", "file", "parts", "vertices", "triangles", "area", "bounds", "seconds");
    double total = 0;
    for (size_t i = 0; i < which.size(); ++i) {
        const Box b = bounds(meshes[i]);
        char box[96];
        std::snprintf(box, sizeof box, "(%.3g %.3g %.3g)..(%.3g %.3g %.3g)", b.lo.x, b.lo.y, b.lo.z, b.hi.x, b.hi.y, b.hi.z);
        std::printf("%-24s %6zu %9zu %9zu %11.4g  %-40s %7.2f\n", which[i]->file.c_str(), meshes[i].parts.size(),
                    meshes[i].vertices(), meshes[i].triangles(), area(meshes[i]), box, secs[i]);
        total += secs[i];
    }
    std::printf("meshes: %zu meshes, %.1f s of building in all; %d set(s) out of band\n", which.size(), total, bad);
    return bad == 0 ? 0 : 1;
}

int previews(const content::Context& ctx) {
    if (ctx.previewDir.empty()) {
        std::fprintf(stderr, "velluna-content: --mesh-previews needs --preview DIR\n");
        return 2;
    }
    std::filesystem::create_directories(ctx.previewDir);
    std::vector<const MeshAsset*> which;
    std::vector<double> secs;
    const std::vector<Mesh> meshes = buildAll(ctx.small, onlyFilter(), which, secs);
    std::vector<const Mesh*> walk;
    for (size_t i = 0; i < which.size(); ++i) {
        std::string name = which[i]->file;
        std::replace(name.begin(), name.end(), '/', '_');
        name = name.substr(0, name.size() - 5);
        if (name.rfind("walkers2_", 0) == 0) {
            const int frame = std::atoi(name.c_str() + std::string("walkers2_mesh.").size());
            if ((frame - 1) % 7 == 0) walk.push_back(&meshes[i]);
            if (frame != 1) continue;
        }
        previewMesh(ctx.previewDir + "/" + name + ".png", meshes[i]);
        std::printf("meshes: preview %s/%s.png\n", ctx.previewDir.c_str(), name.c_str());
    }
    if (!walk.empty()) {
        renderPng(ctx.previewDir + "/walkers2_cycle.png", walk, {View{kPi * 0.5f, 0}, View{0, 0}}, 260);
        std::printf("meshes: preview %s/walkers2_cycle.png\n", ctx.previewDir.c_str());
    }
    return 0;
}

}  // namespace

}  // namespace kit

CONTENT_ASSETS(mesh_commands) {
    content::addCommand({"--budgets", "print every scatter set's predicted points against its grid (env VELLUNA_MESH_ONLY filters)",
                         kit::budgets});
    content::addCommand({"--mesh-previews", "render every mesh from memory into the --preview folder", kit::previews});
}
