#include "generator/meshes/budget.h"

#include <cmath>
#include <cstdio>

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

Prediction predict(const Mesh& fileMesh, const ScatterSet& set) {
    Prediction out;
    out.grid = uint64_t(set.width) * uint64_t(set.height);
    const float scale = set.throughCache ? set.loadScale * set.loadScale : set.loadScale;
    const float D = set.densityX * set.densityY;
    auto inBox = [&set](const Vec3& q) {
        return q.x >= set.boxMin.x && q.x <= set.boxMax.x && q.y >= set.boxMin.y && q.y <= set.boxMax.y &&
               q.z >= set.boxMin.z && q.z <= set.boxMax.z;
    };
    // First the counts per triangle alone: a mesh far over its grid is not worth drawing
    // every point of, and is estimated by its triangles' centres instead.
    double total = 0, estimateInside = 0;
    for (const Part& part : fileMesh.parts)
        for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
            const Vec3 p0 = part.pos[part.idx[t]] * scale, p1 = part.pos[part.idx[t + 1]] * scale, p2 = part.pos[part.idx[t + 2]] * scale;
            const float crossLen = length(cross(p1 - p0, p2 - p0));
            out.areaLoaded += 0.5 * crossLen;
            const float n = D * (set.pointsPerTriangle > 0 ? set.pointsPerTriangle : 25.0f * crossLen);
            const double count = n > 0 ? std::ceil(double(n)) : 0.0;
            total += count;
            if (inBox((p0 + p1 + p2) / 3.0f)) estimateInside += count;
        }
    if (total > 8.0 * double(out.grid)) {
        out.points = uint64_t(estimateInside);
        return out;
    }
    // Then every point as the scatter draws it: its own generator, in part and triangle order.
    uint32_t state = 4134;  // as allocated
    auto draw = [&state]() {
        state = state * 214013u + 2531011u;
        return float((state >> 16) & 32767) / 32767.0f;
    };
    for (const Part& part : fileMesh.parts) {
        for (size_t t = 0; t + 2 < part.idx.size(); t += 3) {
            const Vec3 p0 = part.pos[part.idx[t]] * scale;
            const Vec3 p1 = part.pos[part.idx[t + 1]] * scale;
            const Vec3 p2 = part.pos[part.idx[t + 2]] * scale;
            const float crossLen = length(cross(p1 - p0, p2 - p0));
            const float s = set.pointsPerTriangle > 0 ? set.pointsPerTriangle : 25.0f * crossLen;
            const float n = D * s;
            for (int i = 0; float(i) < n; ++i) {
                float r1 = draw(), r2 = draw();
                if (r1 + r2 > 1.0f) {
                    r1 = 1.0f - r1;
                    r2 = 1.0f - r2;
                }
                const float r3 = 1.0f - r1 - r2;
                if (inBox(p0 * r1 + p1 * r2 + p2 * r3)) ++out.points;
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
