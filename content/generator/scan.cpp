#include "generator/scan.h"

#include <algorithm>
#include <cmath>

namespace content {

P3 normalized(P3 a) {
    const float l = std::sqrt(dot(a, a));
    return l > 1e-12f ? a * (1.0f / l) : P3{0, 1, 0};
}

ScanBuilder::ScanBuilder(uint64_t seed, float pointsPerSquareMetre, bool measureOnly)
    : rng_(seed), density_(pointsPerSquareMetre), measureOnly_(measureOnly) {}

size_t ScanBuilder::countFor(double area, float densityScale) {
    area_ += area * densityScale;
    if (measureOnly_) return 0;
    const double expected = area * density_ * densityScale;
    const double whole = std::floor(expected);
    return static_cast<size_t>(whole) + (rng_.uniform() < expected - whole ? 1 : 0);
}

void ScanBuilder::add(P3 p, P3 n) {
    // Range noise of a centimetre or so along the surface normal, as a real scanner gives.
    const float e = static_cast<float>(rng_.uniform() + rng_.uniform() - 1.0) * noise_;
    points_.push_back({p + n * e, n});
}

void ScanBuilder::quad(P3 origin, P3 u, P3 v, const std::function<bool(float, float)>& keep, float densityScale) {
    const P3 c = cross(u, v);
    const size_t n = countFor(std::sqrt(dot(c, c)), densityScale);
    const P3 normal = normalized(c);
    const float lu = std::sqrt(dot(u, u)), lv = std::sqrt(dot(v, v));
    for (size_t i = 0; i < n; ++i) {
        const float s = static_cast<float>(rng_.uniform()), t = static_cast<float>(rng_.uniform());
        if (keep && !keep(s * lu, t * lv)) continue;
        add(origin + u * s + v * t, normal);
    }
}

void ScanBuilder::triangle(P3 a, P3 b, P3 c, float densityScale) {
    const P3 cr = cross(b - a, c - a);
    const size_t n = countFor(0.5 * std::sqrt(dot(cr, cr)), densityScale);
    const P3 normal = normalized(cr);
    for (size_t i = 0; i < n; ++i) {
        float s = static_cast<float>(rng_.uniform()), t = static_cast<float>(rng_.uniform());
        if (s + t > 1.0f) s = 1.0f - s, t = 1.0f - t;
        add(a + (b - a) * s + (c - a) * t, normal);
    }
}

void ScanBuilder::box(P3 lo, P3 hi, float densityScale) {
    const float dx = hi.x - lo.x, dy = hi.y - lo.y, dz = hi.z - lo.z;
    const P3 X{dx, 0, 0}, Y{0, dy, 0}, Z{0, 0, dz};
    quad({lo.x, hi.y, lo.z}, Z, X, nullptr, densityScale);                       // top, +y
    quad(lo, Y, X, nullptr, densityScale);                                       // -z
    quad({hi.x, lo.y, hi.z}, Y, X * -1.0f, nullptr, densityScale);               // +z
    quad({lo.x, lo.y, hi.z}, Y, Z * -1.0f, nullptr, densityScale);               // -x
    quad({hi.x, lo.y, lo.z}, Y, Z, nullptr, densityScale);                       // +x
}

void ScanBuilder::orientedBox(P3 base, float w, float h, float d, float yaw, float densityScale) {
    const P3 ax{std::cos(yaw) * w, 0, -std::sin(yaw) * w};
    const P3 az{std::sin(yaw) * d, 0, std::cos(yaw) * d};
    const P3 up{0, h, 0};
    const P3 c0 = base - ax * 0.5f - az * 0.5f;  // corner at (-w/2, 0, -d/2)
    quad(c0 + up, az, ax, nullptr, densityScale);                 // top
    quad(c0, up, ax, nullptr, densityScale);                      // front (-z side)
    quad(c0 + ax + az, up, ax * -1.0f, nullptr, densityScale);    // back
    quad(c0 + az, up, az * -1.0f, nullptr, densityScale);         // -x side
    quad(c0 + ax, up, az, nullptr, densityScale);                 // +x side
}

void ScanBuilder::cylinder(P3 base, float radius, float height, bool top, float densityScale) {
    const double kTau = 6.283185307179586;
    const size_t n = countFor(kTau * radius * height, densityScale);
    for (size_t i = 0; i < n; ++i) {
        const float a = static_cast<float>(rng_.uniform() * kTau), y = static_cast<float>(rng_.uniform()) * height;
        const P3 nrm{std::cos(a), 0, std::sin(a)};
        add(base + nrm * radius + P3{0, y, 0}, nrm);
    }
    if (!top) return;
    const size_t m = countFor(kTau / 2 * radius * radius, densityScale);
    for (size_t i = 0; i < m; ++i) {
        const float a = static_cast<float>(rng_.uniform() * kTau), r = radius * std::sqrt(static_cast<float>(rng_.uniform()));
        add(base + P3{r * std::cos(a), height, r * std::sin(a)}, {0, 1, 0});
    }
}

void ScanBuilder::tube(P3 a, P3 b, float radius, float densityScale) {
    const double kTau = 6.283185307179586;
    const P3 axis = b - a;
    const float len = std::sqrt(dot(axis, axis));
    const P3 w = normalized(axis);
    const P3 u = normalized(std::fabs(w.y) < 0.9f ? cross(w, {0, 1, 0}) : cross(w, {1, 0, 0}));
    const P3 v = cross(w, u);
    const size_t n = countFor(kTau * radius * len, densityScale);
    for (size_t i = 0; i < n; ++i) {
        const float ang = static_cast<float>(rng_.uniform() * kTau), t = static_cast<float>(rng_.uniform());
        const P3 nrm = u * std::cos(ang) + v * std::sin(ang);
        add(a + axis * t + nrm * radius, nrm);
    }
}

void ScanBuilder::sphere(P3 centre, float radius, float densityScale) {
    const double kPi = 3.141592653589793;
    const size_t n = countFor(4.0 * kPi * radius * radius, densityScale);
    for (size_t i = 0; i < n; ++i) {
        const float y = static_cast<float>(rng_.uniform(-1.0, 1.0));
        const float a = static_cast<float>(rng_.uniform(0.0, 2.0 * kPi));
        const float c = std::sqrt(std::max(0.0f, 1.0f - y * y));
        const P3 dir{c * std::cos(a), y, c * std::sin(a)};
        add(centre + dir * radius, dir);
    }
}

void ScanBuilder::crown(const std::vector<P3>& centres, const std::vector<float>& radii, float densityScale) {
    const double kPi = 3.141592653589793;
    for (size_t k = 0; k < centres.size(); ++k) {
        const float r = radii[k];
        const size_t n = countFor(4.0 * kPi * r * r * 0.8, densityScale);
        for (size_t i = 0; i < n; ++i) {
            // A uniform direction; leaves sit on a roughened shell, a fifth of them deeper in.
            const float y = static_cast<float>(rng_.uniform(-1.0, 1.0));
            const float a = static_cast<float>(rng_.uniform(0.0, 2.0 * kPi));
            const float s = std::sqrt(std::max(0.0f, 1.0f - y * y));
            const P3 dir{s * std::cos(a), y, s * std::sin(a)};
            // Foliage is porous: returns come from a deep, fuzzy shell, some from far inside.
            const double u = rng_.uniform();
            const float depth = u < 0.25 ? static_cast<float>(rng_.uniform(0.2, 0.75))
                                         : 1.0f - 0.3f * static_cast<float>(u * u);
            const P3 p = centres[k] + dir * (r * depth);
            bool inside = false;
            for (size_t j = 0; j < centres.size() && !inside; ++j) {
                if (j == k) continue;
                const P3 d = p - centres[j];
                inside = dot(d, d) < radii[j] * radii[j] * 0.92f;
            }
            if (!inside) add(p, dir);
        }
    }
}

void ScanBuilder::ground(float x0, float x1, float z0, float z1, const std::function<float(float, float)>& h,
                         float densityScale) {
    const size_t n = countFor(static_cast<double>(x1 - x0) * (z1 - z0), densityScale);
    const float e = 0.05f;
    for (size_t i = 0; i < n; ++i) {
        const float x = static_cast<float>(rng_.uniform(x0, x1)), z = static_cast<float>(rng_.uniform(z0, z1));
        const float y = h(x, z);
        const P3 nrm = normalized({h(x - e, z) - h(x + e, z), 2.0f * e, h(x, z - e) - h(x, z + e)});
        add({x, y, z}, nrm);
    }
}

namespace {

// The ray directions: 32 over the upper hemisphere, denser towards the zenith in proportion
// to the cosine of the angle from it (a Fibonacci spiral), so that each ray carries the same
// share of the sky's light on open ground.
struct Directions {
    P3 d[32];
    Directions() {
        const float golden = 2.39996323f;
        for (int i = 0; i < 32; ++i) {
            const float u = (static_cast<float>(i) + 0.5f) / 32.0f;
            const float r = std::sqrt(u), a = golden * static_cast<float>(i);
            d[i] = {r * std::cos(a), std::sqrt(1.0f - u), r * std::sin(a)};
        }
    }
};

}  // namespace

namespace {

// One station's angular grid: the nearest surface in each cell (splatted over the cells a
// sample covers, so that a near wall hides what is behind it even between its samples), and
// the sample chosen as the cell's return.
struct StationGrid {
    int columns = 0, rows = 0;
    std::vector<float> cover;    // nearest range over the cell
    std::vector<int32_t> best;   // index of the returning sample, -1 for none
    std::vector<float> bestRange;
};

}  // namespace

std::vector<ScanPoint> scanFromStations(const std::vector<ScanPoint>& samples, float spacing,
                                        const std::vector<P3>& stations, const ScannerModel& model, uint64_t seed) {
    const double kTau = 6.283185307179586;
    std::vector<ScanPoint> out;
    StationGrid g;
    g.columns = static_cast<int>(std::ceil(kTau / model.azimuthStep));
    g.rows = static_cast<int>(std::ceil((model.elevationMax - model.elevationMin) / model.elevationStep));
    const size_t cells = static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows);
    const float azStep = static_cast<float>(kTau / g.columns);
    Rng rng(seed);
    std::vector<float> range;
    std::vector<uint32_t> cellOf;
    for (const P3& o : stations) {
        g.cover.assign(cells, 1e30f);
        g.best.assign(cells, -1);
        g.bestRange.assign(cells, 1e30f);
        // Where a sample lands in the grid, or false when the scanner cannot see it.
        auto locate = [&](const ScanPoint& s, float& r, float& col, float& row, float& el) {
            const P3 v = s.p - o;
            r = std::sqrt(dot(v, v));
            if (r < model.minRange || r > model.maxRange) return false;
            el = std::asin(std::clamp(v.y / r, -1.0f, 1.0f));
            if (el < model.elevationMin || el >= model.elevationMax) return false;
            const float az = std::atan2(v.z, v.x) + 3.14159265f;
            col = az / azStep;
            row = (el - model.elevationMin) / model.elevationStep;
            return true;
        };
        // Pass 1: every sample covers the cells within its share of the surface. Where each
        // sample landed is kept for pass 2 (the trigonometry is most of the cost).
        range.assign(samples.size(), -1.0f);
        cellOf.resize(samples.size());
        for (size_t i = 0; i < samples.size(); ++i) {
            const ScanPoint& s = samples[i];
            float r, col, row, el;
            if (!locate(s, r, col, row, el)) continue;
            range[i] = r;
            cellOf[i] = static_cast<uint32_t>(static_cast<size_t>(row) * g.columns + static_cast<size_t>(col) % g.columns);
            // The sample's share of the surface, seen from the station: foreshortened along
            // each axis of the grid by how far the surface turns away from the ray there, so
            // that ground far off (seen edge-on) does not cover the rows beyond it.
            const float reach = 0.75f * spacing / r;
            const float az = col * azStep - 3.14159265f;
            const P3 eAz{-std::sin(az), 0.0f, std::cos(az)};
            const P3 eEl{-std::sin(el) * std::cos(az), std::cos(el), -std::sin(el) * std::sin(az)};
            const float nEl = dot(s.n, eEl), nAz = dot(s.n, eAz);
            const float alongEl = reach * std::sqrt(std::max(0.0f, 1.0f - nEl * nEl));
            const float alongAz = reach * std::sqrt(std::max(0.0f, 1.0f - nAz * nAz));
            const int fr = std::min(8, static_cast<int>(alongEl / model.elevationStep + 0.5f));
            const int fc = std::min(12, static_cast<int>(alongAz / (azStep * std::max(std::cos(el), 0.15f)) + 0.5f));
            const int r0 = static_cast<int>(row), c0 = static_cast<int>(col);
            for (int dr = -fr; dr <= fr; ++dr) {
                const int rr = r0 + dr;
                if (rr < 0 || rr >= g.rows) continue;
                for (int dc = -fc; dc <= fc; ++dc) {
                    const int cc = ((c0 + dc) % g.columns + g.columns) % g.columns;
                    float& c = g.cover[static_cast<size_t>(rr) * g.columns + cc];
                    c = std::min(c, r);
                }
            }
        }
        // Pass 2: in each cell the nearest sample that no nearer surface hides. A surface seen
        // at a glancing angle spreads over a long range inside one cell, so the tolerance
        // grows as the ray flattens against it.
        for (size_t i = 0; i < samples.size(); ++i) {
            const ScanPoint& s = samples[i];
            const float r = range[i];
            if (r < 0.0f) continue;
            const size_t cell = cellOf[i];
            const P3 ray = (s.p - o) * (1.0f / r);
            const float facing = std::fabs(dot(ray, s.n));
            const float tol = spacing * (1.0f + 0.75f * std::sqrt(std::max(0.0f, 1.0f - facing * facing)) / std::max(facing, 0.1f)) + 0.02f;
            if (r > g.cover[cell] + tol || r >= g.bestRange[cell]) continue;
            g.best[cell] = static_cast<int32_t>(i);
            g.bestRange[cell] = r;
        }
        // Pass 3: the returns, on the cells' central rays, with range noise and dropouts.
        for (int rr = 0; rr < g.rows; ++rr) {
            const float el = model.elevationMin + (static_cast<float>(rr) + 0.5f) * model.elevationStep;
            for (int cc = 0; cc < g.columns; ++cc) {
                const int32_t b = g.best[static_cast<size_t>(rr) * g.columns + cc];
                if (b < 0) continue;
                const ScanPoint& s = samples[static_cast<size_t>(b)];
                const float az = (static_cast<float>(cc) + 0.5f) * azStep - 3.14159265f;
                const P3 dir{std::cos(el) * std::cos(az), std::sin(el), std::cos(el) * std::sin(az)};
                const float r = g.bestRange[static_cast<size_t>(rr) * g.columns + cc];
                const float dn = dot(dir, s.n);
                const float facing = std::fabs(dn);
                // Edge-on surfaces return weakly: some of those returns are lost.
                const float lose = model.glancingDropout * std::clamp((0.3f - facing) / 0.25f, 0.0f, 1.0f);
                if (rng.uniform() < lose) continue;
                float t = r;
                if (facing > 0.05f) {
                    // A sample can sit anywhere in its cell: on a surface seen at a slant the
                    // cell spans a long stretch of range.
                    const float hit = dot(s.p - o, s.n) / dn;
                    const float cellSpan = r * std::max(model.elevationStep, azStep) / facing;
                    if (std::fabs(hit - r) < 3.0f * spacing + 0.6f * cellSpan) t = hit;
                }
                t += static_cast<float>(rng.uniform() + rng.uniform() + rng.uniform() - 1.5) * 2.0f * model.rangeNoise;
                out.push_back({o + dir * t, dn > 0.0f ? s.n * -1.0f : s.n});
            }
        }
    }
    return out;
}

std::vector<ScanPoint> scanScene(uint64_t seed, float sampleDensity, const std::vector<P3>& stations,
                                 const ScannerModel& model, size_t maxPoints, float half,
                                 const std::function<void(ScanBuilder&)>& build,
                                 std::vector<ScanPoint>* surface) {
    ScanBuilder world(seed, sampleDensity);
    world.setSurfaceNoise(0.0f);
    build(world);
    std::vector<ScanPoint> returns =
        scanFromStations(world.points(), 1.0f / std::sqrt(sampleDensity), stations, model, seed * 7919 + 1);
    if (surface) *surface = world.points();
    Rng rng(seed * 104729 + 3);
    const double keep = returns.size() > maxPoints ? static_cast<double>(maxPoints) / static_cast<double>(returns.size()) : 1.0;
    std::vector<ScanPoint> points;
    points.reserve(std::min(returns.size(), maxPoints));
    for (const ScanPoint& p : returns) {
        if (std::fabs(p.p.x) > half || std::fabs(p.p.z) > half) continue;
        if (keep < 1.0 && rng.uniform() >= keep) continue;
        points.push_back(p);
    }
    return points;
}

std::vector<float> skyVisibility(const std::vector<ScanPoint>& points, float voxel, float reach,
                                 const std::vector<ScanPoint>* geometry) {
    std::vector<float> vis(points.size(), 1.0f);
    if (points.empty()) return vis;
    static const Directions dirs;
    const std::vector<ScanPoint>& solidFrom = geometry ? *geometry : points;
    P3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    for (const std::vector<ScanPoint>* set : {&points, &solidFrom})
        for (const ScanPoint& s : *set) {
            lo = {std::min(lo.x, s.p.x), std::min(lo.y, s.p.y), std::min(lo.z, s.p.z)};
            hi = {std::max(hi.x, s.p.x), std::max(hi.y, s.p.y), std::max(hi.z, s.p.z)};
        }
    // One spare voxel on every side, so that every surface voxel has empty neighbours.
    lo = lo - P3{voxel, voxel, voxel} * 2.0f;
    const int nx = static_cast<int>((hi.x - lo.x) / voxel) + 3, ny = static_cast<int>((hi.y - lo.y) / voxel) + 3,
              nz = static_cast<int>((hi.z - lo.z) / voxel) + 3;
    auto index = [&](int x, int y, int z) { return (static_cast<size_t>(z) * ny + y) * nx + x; };
    auto cellOf = [&](P3 p, int& x, int& y, int& z) {
        x = static_cast<int>(std::floor((p.x - lo.x) / voxel));
        y = static_cast<int>(std::floor((p.y - lo.y) / voxel));
        z = static_cast<int>(std::floor((p.z - lo.z) / voxel));
    };
    std::vector<uint8_t> solid(static_cast<size_t>(nx) * ny * nz, 0);
    for (const ScanPoint& s : solidFrom) {
        int x, y, z;
        cellOf(s.p, x, y, z);
        solid[index(x, y, z)] = 1;
    }
    // Open voxels beside a solid one get a mask of the ray directions that escape from them.
    std::vector<int32_t> slot(solid.size(), -1);
    std::vector<uint32_t> masks;
    const int steps = static_cast<int>(reach / voxel * 2.0f);
    for (int z = 1; z < nz - 1; ++z)
        for (int y = 1; y < ny - 1; ++y)
            for (int x = 1; x < nx - 1; ++x) {
                const size_t i = index(x, y, z);
                if (solid[i]) continue;
                if (!(solid[i - 1] | solid[i + 1] | solid[i - nx] | solid[i + nx] | solid[i - static_cast<size_t>(nx) * ny] |
                      solid[i + static_cast<size_t>(nx) * ny]))
                    continue;
                uint32_t mask = 0;
                for (int k = 0; k < 32; ++k) {
                    const P3 d = dirs.d[k] * 0.5f;  // half a voxel per step
                    float fx = static_cast<float>(x) + 0.5f, fy = static_cast<float>(y) + 0.5f, fz = static_cast<float>(z) + 0.5f;
                    bool open = true;
                    for (int s = 0; s < steps; ++s) {
                        fx += d.x, fy += d.y, fz += d.z;
                        const int cx = static_cast<int>(fx), cy = static_cast<int>(fy), cz = static_cast<int>(fz);
                        if (fx < 0 || fz < 0 || cx >= nx || cy >= ny || cz >= nz) break;
                        if (solid[index(cx, cy, cz)]) {
                            open = false;
                            break;
                        }
                    }
                    if (open) mask |= 1u << k;
                }
                slot[i] = static_cast<int32_t>(masks.size());
                masks.push_back(mask);
            }
    // Each point: the open voxels around a spot just off its surface, weighted by nearness,
    // counting only the rays on the point's side of the surface. A point with no open voxel
    // in front of it (buried in a dense clump) sees little.
    for (size_t p = 0; p < points.size(); ++p) {
        const ScanPoint& s = points[p];
        uint32_t facing = 0;
        for (int k = 0; k < 32; ++k)
            if (dot(dirs.d[k], s.n) > -0.05f) facing |= 1u << k;
        const P3 q = s.p + s.n * (0.7f * voxel);
        const float gx = (q.x - lo.x) / voxel - 0.5f, gy = (q.y - lo.y) / voxel - 0.5f, gz = (q.z - lo.z) / voxel - 0.5f;
        const int x0 = static_cast<int>(std::floor(gx)), y0 = static_cast<int>(std::floor(gy)),
                  z0 = static_cast<int>(std::floor(gz));
        float sum = 0.0f, weight = 0.0f;
        for (int c = 0; c < 8; ++c) {
            const int x = x0 + (c & 1), y = y0 + ((c >> 1) & 1), z = z0 + ((c >> 2) & 1);
            if (x < 0 || y < 0 || z < 0 || x >= nx || y >= ny || z >= nz) continue;
            const int32_t sl = slot[index(x, y, z)];
            if (sl < 0) continue;
            // Only open voxels in front of the surface: those behind it (inside a wall, under
            // the ground) see nothing the point sees.
            const P3 centre = lo + P3{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, static_cast<float>(z) + 0.5f} * voxel;
            if (dot(centre - s.p, s.n) < 0.1f * voxel) continue;
            const float w = ((c & 1) ? gx - x0 : 1.0f - (gx - x0)) * (((c >> 1) & 1) ? gy - y0 : 1.0f - (gy - y0)) *
                            (((c >> 2) & 1) ? gz - z0 : 1.0f - (gz - z0)) + 1e-4f;
            sum += w * static_cast<float>(__builtin_popcount(masks[static_cast<size_t>(sl)] & facing));
            weight += w;
        }
        if (weight > 0.0f) {
            vis[p] = sum / weight / 32.0f;
            continue;
        }
        // Inside a dense clump: walk out along the normal to the first open voxel.
        vis[p] = 0.03f;
        for (int k = 1; k <= 5; ++k) {
            int x, y, z;
            cellOf(s.p + s.n * (static_cast<float>(k) * voxel), x, y, z);
            if (x < 0 || y < 0 || z < 0 || x >= nx || y >= ny || z >= nz) break;
            const int32_t sl = slot[index(x, y, z)];
            if (sl < 0) continue;
            vis[p] = static_cast<float>(__builtin_popcount(masks[static_cast<size_t>(sl)] & facing)) / 32.0f / static_cast<float>(k);
            break;
        }
    }
    return vis;
}

std::vector<uint32_t> growthOrder(const std::vector<ScanPoint>& points, float cx, float cz, uint64_t seed) {
    Rng rng(seed);
    std::vector<std::pair<float, uint32_t>> keyed(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const float dx = points[i].p.x - cx, dz = points[i].p.z - cz;
        keyed[i] = {std::sqrt(dx * dx + dz * dz) + static_cast<float>(rng.uniform()) * 3.0f, static_cast<uint32_t>(i)};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<uint32_t> order(points.size());
    for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
    return order;
}

}  // namespace content
