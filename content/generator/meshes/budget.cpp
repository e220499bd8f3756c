#include "generator/meshes/budget.h"

#include <cmath>
#include <cstdio>

#include "common/tvector.h"
#include "formats/mesh_cache.h"
#include "gpu/texture_scatter.h"

namespace kit {

namespace {

std::vector<ScatterSet> makeSets() {
    std::vector<ScatterSet> sets;
    auto add = [&](const char* name, const char* file, float scale, bool cache, float dx, float dy, int grid, Vec3 lo, Vec3 hi) {
        ScatterSet s;
        s.name = name;
        s.file = file;
        s.loadScale = scale;
        s.throughCache = cache;
        s.densityX = dx;
        s.densityY = dy;
        s.width = s.height = grid;
        s.boxMin = lo;
        s.boxMax = hi;
        sets.push_back(s);
    };
    for (int i = 1; i <= 56; ++i) {
        char file[64];
        std::snprintf(file, sizeof file, "walkers2/mesh.%04d.objb", i);
        char name[64];
        std::snprintf(name, sizeof name, "walk frame %d", i);
        add(name, file, 0.012f, false, 10, 81, 1000, {-1000, -10, -1000}, {10000, 1000, 100});
        sets.back().pointsPerTriangle = 0.126f;
    }
    add("statue (reference scene)", "agalma3.objb", 50.0f, true, 21, 12, 1000, {-1000, 0, -1000}, {10000, 1000, 100});
    add("boat scene", "sceneboat.objb", 1, false, 1, 415, 2560, {-1000, 0, -1000}, {10000, 1000, 1000});
    add("car", "gto.objb", 1, false, 1, 2225, 2560, {-1000, -1, -1000}, {10000, 1000, 1000});
    add("heads", "headsgarbled.objb", 1, false, 1, 261, 2560, {-1000, 0, -1000}, {10000, 1000, 1000});
    add("eyes", "eyes.objb", 1, false, 1, 13004, 512, {-1000, -10000, -1000}, {10000, 1000, 1000});
    add("standing (forest)", "standing.objb", 1, false, 1, 52, 800, {-1000, 0, -1000}, {10000, 1000, 100});
    add("people (rainbow)", "people.objb", 1, false, 116, 1, 2024, {-1000, 0, -1000}, {10000, 1000, 1000});
    add("bust (skull)", "agalma3cut.objb", 1, false, 40, 40, 1536, {-1000, -1000, 0}, {10000, 1000, 100});
    add("head (skull)", "cupidhead.objb", 1, false, 20, 40, 1536, {-1000, -100, 0}, {10000, 1000, 100});
    add("fallers", "fallers.objb", 1, false, 16000, 1, 2024, {-1000, 0, -1000}, {10000, 1000, 1000});
    add("statue (lidar scene)", "agalma2.objb", 1, false, 3, 1, 1000, {-1000, 0, -1000}, {10000, 1000, 100});
    add("plane (depth scene)", "qrbplane.objb", 1, false, 40, 17, 1100, {-1000, -1000.121f, -1000}, {10000, 1000, 100});
    add("title (depth scene)", "velluna.objb", 1, false, 35, 17, 1100, {-1000, -1000.121f, -1000}, {10000, 1000, 100});
    return sets;
}

}  // namespace

const std::vector<ScatterSet>& scatterSets() {
    static const std::vector<ScatterSet> sets = makeSets();
    return sets;
}

const ScatterSet* findSet(const std::string& file) {
    for (const ScatterSet& s : scatterSets())
        if (s.file == file) return &s;
    return nullptr;
}

namespace {

// Positions as the show holds them after loading: times the scale when read directly;
// through the cache, scaled, quantised to 16 bits within the scaled box, and scaled again.
std::vector<std::vector<TVector>> loadedPositions(const Mesh& fileMesh, const ScatterSet& set) {
    std::vector<std::vector<TVector>> parts;
    const float s = set.loadScale;
    Box box;
    for (const Part& part : fileMesh.parts)
        for (const Vec3& p : part.pos) box.add(p * s);
    for (const Part& part : fileMesh.parts) {
        std::vector<TVector> out;
        out.reserve(part.pos.size());
        for (const Vec3& p : part.pos) {
            if (!set.throughCache) {
                out.push_back(TVector(p.x * s, p.y * s, p.z * s));
                continue;
            }
            TVector q;
            float* axis[3] = {&q.x, &q.y, &q.z};
            for (int a = 0; a < 3; ++a) {
                const uint16_t v = meshcache::quantisePosition(p[a] * s, box.lo[a], box.hi[a]);
                *axis[a] = meshcache::dequantisePosition(v, box.lo[a], box.hi[a], s);
            }
            out.push_back(q);
        }
        parts.push_back(std::move(out));
    }
    return parts;
}

}  // namespace

Prediction predict(const Mesh& fileMesh, const ScatterSet& set) {
    Prediction out;
    out.grid = uint64_t(set.width) * uint64_t(set.height);
    const float D = set.densityX * set.densityY;
    const std::vector<std::vector<TVector>> loaded = loadedPositions(fileMesh, set);
    const TVector lo(set.boxMin.x, set.boxMin.y, set.boxMin.z), hi(set.boxMax.x, set.boxMax.y, set.boxMax.z);
    auto inBox = [&lo, &hi](float x, float y, float z) {
        return lo.x <= x && x <= hi.x && lo.y <= y && y <= hi.y && lo.z <= z && z <= hi.z;
    };
    // First the counts per triangle alone: a mesh far over its grid is not worth drawing
    // every point of, and is estimated by its triangles' centres instead.
    double total = 0, estimateInside = 0;
    for (size_t pi = 0; pi < fileMesh.parts.size(); ++pi) {
        const Part& part = fileMesh.parts[pi];
        const std::vector<TVector>& P = loaded[pi];
        for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
            const TVector &p0 = P[part.idx[t]], &p1 = P[part.idx[t + 1]], &p2 = P[part.idx[t + 2]];
            out.areaLoaded += 0.5 * double(cross(p1 - p0, p2 - p0).length());
            const double count = double(scatterPointCount(D, set.pointsPerTriangle, p0, p1, p2));
            total += count;
            if (inBox((p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3, (p0.z + p1.z + p2.z) / 3)) estimateInside += count;
        }
    }
    if (total > 8.0 * double(out.grid)) {
        out.points = uint64_t(estimateInside);
        return out;
    }
    // Then every point as the scatter draws it: its own generator, in part and triangle order.
    uint32_t state = 4134;  // as allocated
    auto draw = [&state]() {
        state = state * 214013u + 2531011u;
        return float((state >> 16) & 32767u) / 32767.0f;
    };
    for (size_t pi = 0; pi < fileMesh.parts.size(); ++pi) {
        const Part& part = fileMesh.parts[pi];
        const std::vector<TVector>& P = loaded[pi];
        for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
            const TVector &p0 = P[part.idx[t]], &p1 = P[part.idx[t + 1]], &p2 = P[part.idx[t + 2]];
            const int64_t count = scatterPointCount(D, set.pointsPerTriangle, p0, p1, p2);
            for (int64_t i = 0; i < count; ++i) {
                const float d1 = draw();
                const float d2 = draw();
                const ScatterWeights w = scatterWeights(d1, d2);
                if (inBox(w.r1 * p0.x + w.r2 * p1.x + w.r3 * p2.x, w.r1 * p0.y + w.r2 * p1.y + w.r3 * p2.y,
                          w.r1 * p0.z + w.r2 * p1.z + w.r3 * p2.z))
                    ++out.points;
            }
        }
    }
    return out;
}

float fitToSet(Mesh& fileMesh, const ScatterSet& set, double target) {
    if (set.pointsPerTriangle > 0) return 1.0f;
    float total = 1.0f;
    for (int iter = 0; iter < 6; ++iter) {
        const Prediction p = predict(fileMesh, set);
        if (p.points == 0) break;
        const double ratio = target / p.fill();
        if (std::fabs(ratio - 1.0) < 0.01) break;
        const float s = float(std::sqrt(ratio));
        scale(fileMesh, s);
        total *= s;
    }
    return total;
}

}  // namespace kit
