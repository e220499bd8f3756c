#include "generator/meshes/mesher.h"

#include <cstdint>

namespace kit {

namespace {

constexpr int kBlock = 8;

struct Grid {
    int nx = 0, ny = 0, nz = 0;  // points
    Vec3 origin;
    float cell = 1;
    std::vector<float> value;
    size_t at(int i, int j, int k) const { return (static_cast<size_t>(k) * ny + j) * nx + i; }
    Vec3 point(int i, int j, int k) const { return origin + Vec3(i * cell, j * cell, k * cell); }
};

// The primitives that can matter inside [lo, hi] (grown by the reach).
void shortlist(const std::vector<Prim>& prims, const Vec3& lo, const Vec3& hi, float reach, std::vector<int>& out) {
    out.clear();
    for (size_t i = 0; i < prims.size(); ++i) {
        const Prim& p = prims[i];
        if (p.op == Op::Intersect) {
            out.push_back(static_cast<int>(i));
            continue;
        }
        if (p.hi.x + reach < lo.x || p.lo.x - reach > hi.x || p.hi.y + reach < lo.y || p.lo.y - reach > hi.y ||
            p.hi.z + reach < lo.z || p.lo.z - reach > hi.z)
            continue;
        out.push_back(static_cast<int>(i));
    }
}

}  // namespace

Part meshShape(const Shape& shape, float cell) {
    Vec3 lo, hi;
    shape.addBounds(lo, hi);
    const Vec3 pad(2 * cell, 2 * cell, 2 * cell);
    return meshShape(shape, cell, lo - pad, hi + pad);
}

Part meshShape(const Shape& shape, float cell, const Vec3& lo, const Vec3& hi) {
    Part part;
    if (shape.size() == 0 || !(cell > 0)) return part;
    const std::vector<Prim>& prims = shape.prims();
    const float margin = shape.maxBlend() + 3.0f * cell;

    Grid g;
    g.cell = cell;
    g.origin = lo;
    g.nx = std::max(2, static_cast<int>(std::ceil((hi.x - lo.x) / cell)) + 1);
    g.ny = std::max(2, static_cast<int>(std::ceil((hi.y - lo.y) / cell)) + 1);
    g.nz = std::max(2, static_cast<int>(std::ceil((hi.z - lo.z) / cell)) + 1);
    g.value.assign(static_cast<size_t>(g.nx) * g.ny * g.nz, margin);

    // The field, block by block, each with its own short list of primitives.
    std::vector<int> list;
    for (int bk = 0; bk < g.nz; bk += kBlock)
        for (int bj = 0; bj < g.ny; bj += kBlock)
            for (int bi = 0; bi < g.nx; bi += kBlock) {
                const int ei = std::min(bi + kBlock, g.nx), ej = std::min(bj + kBlock, g.ny), ek = std::min(bk + kBlock, g.nz);
                shortlist(prims, g.point(bi, bj, bk), g.point(ei - 1, ej - 1, ek - 1), margin, list);
                bool anyAdd = false;
                for (int i : list) anyAdd |= prims[i].op == Op::Add;
                if (!anyAdd) continue;
                for (int k = bk; k < ek; ++k)
                    for (int j = bj; j < ej; ++j)
                        for (int i = bi; i < ei; ++i) {
                            const float d = evalList(prims, list.data(), static_cast<int>(list.size()), g.point(i, j, k), nullptr);
                            g.value[g.at(i, j, k)] = clampf(d, -margin, margin);
                        }
            }
    // Keep the grid's border outside, so every surface closes.
    for (int k = 0; k < g.nz; ++k)
        for (int j = 0; j < g.ny; ++j)
            for (int i = 0; i < g.nx; ++i)
                if (i == 0 || j == 0 || k == 0 || i == g.nx - 1 || j == g.ny - 1 || k == g.nz - 1)
                    g.value[g.at(i, j, k)] = std::max(g.value[g.at(i, j, k)], cell * 0.01f);

    // One vertex per cell whose corners change sign: the mean of its edge crossings.
    const int cx = g.nx - 1, cy = g.ny - 1, cz = g.nz - 1;
    std::vector<int32_t> vertexOf(static_cast<size_t>(cx) * cy * cz, -1);
    auto cellAt = [&](int i, int j, int k) { return (static_cast<size_t>(k) * cy + j) * cx + i; };
    static const int corner[8][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};
    static const int edge[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3}, {4, 6}, {5, 7}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (int k = 0; k < cz; ++k)
        for (int j = 0; j < cy; ++j)
            for (int i = 0; i < cx; ++i) {
                float v[8];
                int inside = 0;
                for (int c = 0; c < 8; ++c) {
                    v[c] = g.value[g.at(i + corner[c][0], j + corner[c][1], k + corner[c][2])];
                    inside += v[c] < 0;
                }
                if (inside == 0 || inside == 8) continue;
                Vec3 sum(0, 0, 0);
                int n = 0;
                for (const auto& e : edge) {
                    const float a = v[e[0]], b = v[e[1]];
                    if ((a < 0) == (b < 0)) continue;
                    const float t = a / (a - b);
                    const Vec3 pa(float(corner[e[0]][0]), float(corner[e[0]][1]), float(corner[e[0]][2]));
                    const Vec3 pb(float(corner[e[1]][0]), float(corner[e[1]][1]), float(corner[e[1]][2]));
                    sum += lerp(pa, pb, t);
                    ++n;
                }
                vertexOf[cellAt(i, j, k)] = static_cast<int32_t>(part.pos.size());
                part.pos.push_back(g.point(i, j, k) + (sum / float(n)) * cell);
            }

    // A quad around every grid edge that crosses the surface, wound outward.
    auto quad = [&](size_t c0, size_t c1, size_t c2, size_t c3, bool flipIt) {
        uint32_t q[4] = {uint32_t(vertexOf[c0]), uint32_t(vertexOf[c1]), uint32_t(vertexOf[c2]), uint32_t(vertexOf[c3])};
        if (flipIt) std::swap(q[1], q[3]);
        // Split along the shorter diagonal.
        const float d02 = length(part.pos[q[0]] - part.pos[q[2]]);
        const float d13 = length(part.pos[q[1]] - part.pos[q[3]]);
        if (d02 <= d13) {
            part.idx.insert(part.idx.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
        } else {
            part.idx.insert(part.idx.end(), {q[0], q[1], q[3], q[1], q[2], q[3]});
        }
    };
    for (int k = 1; k < cz; ++k)
        for (int j = 1; j < cy; ++j)
            for (int i = 0; i < cx; ++i) {  // x edges
                const bool a = g.value[g.at(i, j, k)] < 0, b = g.value[g.at(i + 1, j, k)] < 0;
                if (a == b) continue;
                quad(cellAt(i, j - 1, k - 1), cellAt(i, j, k - 1), cellAt(i, j, k), cellAt(i, j - 1, k), !a);
            }
    for (int k = 1; k < cz; ++k)
        for (int j = 0; j < cy; ++j)
            for (int i = 1; i < cx; ++i) {  // y edges
                const bool a = g.value[g.at(i, j, k)] < 0, b = g.value[g.at(i, j + 1, k)] < 0;
                if (a == b) continue;
                quad(cellAt(i - 1, j, k - 1), cellAt(i - 1, j, k), cellAt(i, j, k), cellAt(i, j, k - 1), !a);
            }
    for (int k = 0; k < cz; ++k)
        for (int j = 1; j < cy; ++j)
            for (int i = 1; i < cx; ++i) {  // z edges
                const bool a = g.value[g.at(i, j, k)] < 0, b = g.value[g.at(i, j, k + 1)] < 0;
                if (a == b) continue;
                quad(cellAt(i - 1, j - 1, k), cellAt(i, j - 1, k), cellAt(i, j, k), cellAt(i - 1, j, k), !a);
            }
    computeNormals(part);

    // Colours from the shape at each vertex, with the short list of its block.
    part.col.resize(part.pos.size());
    for (size_t v = 0; v < part.pos.size(); ++v) {
        const Vec3& p = part.pos[v];
        shortlist(prims, p, p, margin, list);
        Vec3 c;
        evalList(prims, list.data(), static_cast<int>(list.size()), p, &c);
        part.col[v] = c;
    }
    return part;
}

Part meshShapeToTriangles(const Shape& shape, size_t triangles, float* cellUsed) {
    Vec3 lo, hi;
    shape.addBounds(lo, hi);
    const Vec3 s = hi - lo;
    // First guess: the surface of the bounding box, shared by the wanted triangles.
    float cell = std::sqrt(2.0f * (s.x * s.y + s.y * s.z + s.z * s.x) / std::max<size_t>(triangles, 1));
    Part part = meshShape(shape, cell);
    for (int attempt = 0; attempt < 2 && part.triangles() > 0; ++attempt) {
        const float ratio = float(part.triangles()) / float(triangles);
        if (ratio > 0.93f && ratio < 1.07f) break;
        cell *= std::sqrt(ratio);
        part = meshShape(shape, cell);
    }
    if (cellUsed) *cellUsed = cell;
    return part;
}

}  // namespace kit
