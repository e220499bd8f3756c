#pragma once
// Procedural lidar scans: a world built from simple surfaces, sampled densely, then scanned
// from a few scanner stations the way a terrestrial scanner sees it; an occlusion term per
// point computed from the world's geometry; and the order the show grows a cloud in.
//
//   std::vector<ScanPoint> world;
//   std::vector<ScanPoint> scan = scanScene(seed, 300.0f, stations, ScannerModel(), 3000000, 40.0f,
//       [](ScanBuilder& s) { s.quad({0, 0, 0}, {10, 0, 0}, {0, 0, 10}); s.box({2, 0, 2}, {4, 3, 4}); },
//       &world);
//   std::vector<float> w = skyVisibility(scan, 0.35f, 18.0f, &world);   // 0 .. 1 per point
//
// Positions are in metres, y up; the cloud files store them scaled (see cloud_file.h).
#include <cstdint>
#include <functional>
#include <vector>

#include "generator/rng.h"

namespace content {

struct P3 {
    float x = 0, y = 0, z = 0;
};
inline P3 operator+(P3 a, P3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline P3 operator-(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline P3 operator*(P3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline P3 cross(P3 a, P3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
P3 normalized(P3 a);

struct ScanPoint {
    P3 p;  // position, metres
    P3 n;  // surface normal (unit)
};

class ScanBuilder {
public:
    // With `measureOnly`, nothing is sampled: the builder only adds up the surface area, so
    // that a scene can pick the density that gives it the point count it wants.
    ScanBuilder(uint64_t seed, float pointsPerSquareMetre, bool measureOnly = false);

    // A parallelogram from `origin` along edges u and v; its normal is u x v. `keep`(s, t),
    // with s, t the position along u and v in metres, can cut holes (windows, doors).
    void quad(P3 origin, P3 u, P3 v, const std::function<bool(float, float)>& keep = nullptr, float densityScale = 1.0f);
    // A triangle; its normal is (b - a) x (c - a).
    void triangle(P3 a, P3 b, P3 c, float densityScale = 1.0f);
    // An axis-aligned block from lo to hi: four sides and the top (a scanner never sees the
    // bottom), all facing out.
    void box(P3 lo, P3 hi, float densityScale = 1.0f);
    // A block of size (w, h, d) standing on `base` (the middle of its bottom face), turned by
    // `yaw` radians about the vertical.
    void orientedBox(P3 base, float w, float h, float d, float yaw, float densityScale = 1.0f);
    // An upright cylinder standing on `base`, with its top disc when `top`.
    void cylinder(P3 base, float radius, float height, bool top = true, float densityScale = 1.0f);
    // A cylinder along the segment a -> b (fallen columns, branches, trunks), no end caps.
    void tube(P3 a, P3 b, float radius, float densityScale = 1.0f);
    // A ball's surface (heads, finials).
    void sphere(P3 centre, float radius, float densityScale = 1.0f);
    // A leafy crown: the outer surface of a union of balls (each point of a ball's sphere that
    // lies inside another ball is dropped), roughened, with some returns from inside.
    void crown(const std::vector<P3>& centres, const std::vector<float>& radii, float densityScale = 1.0f);
    // Ground over [x0, x1] x [z0, z1] at height h(x, z).
    void ground(float x0, float x1, float z0, float z1, const std::function<float(float, float)>& h,
                float densityScale = 1.0f);

    // Range noise of the samples along their normal, in metres (1.2 cm unless set). A scene
    // that is scanned afterwards (scanScene) samples its surface without it.
    void setSurfaceNoise(float metres) { noise_ = metres; }

    const std::vector<ScanPoint>& points() const { return points_; }
    double area() const { return area_; }

private:
    // How many points an area gets: its expected count, with the fraction rounded at random.
    size_t countFor(double area, float densityScale);
    void add(P3 p, P3 n);

    Rng rng_;
    float density_;
    bool measureOnly_;
    float noise_ = 0.012f;
    double area_ = 0.0;
    std::vector<ScanPoint> points_;
};

// A terrestrial laser scanner on a tripod: it turns through a regular grid of azimuth and
// elevation and keeps the first surface each ray meets. Angles in radians, ranges in metres.
struct ScannerModel {
    float azimuthStep = 0.0026f;
    float elevationStep = 0.0026f;
    float elevationMin = -1.30f;   // straight down is the tripod's own blind cone
    float elevationMax = 1.45f;
    float minRange = 0.5f;
    float maxRange = 75.0f;
    float rangeNoise = 0.005f;     // spread of the measured range
    float glancingDropout = 0.75f; // share of returns lost on a surface seen edge-on
};

// Scans the surface that `samples` stand for (evenly spread, about `spacing` metres apart,
// with normals) from every station in turn. A station's returns are the samples nearest to
// it in each cell of its angular grid, unless a nearer surface covers that cell; each return
// is moved onto the cell's central ray where the ray meets the sample's tangent plane, so
// flat ground shows the rings of the scanner's elevation steps. Density falls with range,
// everything casts a scan shadow, and surfaces seen edge-on lose returns. The normals of the
// returns face their station.
std::vector<ScanPoint> scanFromStations(const std::vector<ScanPoint>& samples, float spacing,
                                        const std::vector<P3>& stations, const ScannerModel& model, uint64_t seed);

// Builds the scene with `build` at `sampleDensity` samples per square metre, scans it from
// `stations`, cuts what lies beyond |x|, |z| <= `half` and, when more than `maxPoints`
// returns come back, keeps an even share of them. With `surface`, also hands back the
// scanned surface's samples (the geometry the occlusion term is computed from).
std::vector<ScanPoint> scanScene(uint64_t seed, float sampleDensity, const std::vector<P3>& stations,
                                 const ScannerModel& model, size_t maxPoints, float half,
                                 const std::function<void(ScanBuilder&)>& build,
                                 std::vector<ScanPoint>* surface = nullptr);

// How much of the sky each point sees, 0 .. 1: the points are binned into a voxel grid of
// `voxel` metres, rays in 32 directions over the upper hemisphere (spread by the cosine of
// their elevation) are marched from the empty voxels beside the surface up to `reach`
// metres, and a point counts the rays that escape among those on its side of the surface.
// With `geometry`, the voxels are filled from those samples instead of from the points
// themselves: a scan has holes (its shadows) that the world it was taken of does not.
std::vector<float> skyVisibility(const std::vector<ScanPoint>& points, float voxel, float reach,
                                 const std::vector<ScanPoint>* geometry = nullptr);

// The order the show grows a cloud in: outward from (cx, cz), with some jitter so that the
// growing edge is ragged, like a scan that is still coming in. Returns indices into points.
std::vector<uint32_t> growthOrder(const std::vector<ScanPoint>& points, float cx, float cz, uint64_t seed);

}  // namespace content
