#pragma once
// Procedural lidar scans: surfaces sampled into points the way a scanner returns them, an
// occlusion term per point computed from the geometry, and the order the show grows them in.
//
//   ScanBuilder scan(seed, pointsPerSquareMetre);
//   scan.quad({0, 0, 0}, {10, 0, 0}, {0, 0, 10});      // ground, normal up
//   scan.box({2, 0, 2}, {4, 3, 4});                     // a block
//   std::vector<float> w = skyVisibility(scan.points(), 0.35f);   // 0 .. 1 per point
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
    // A leafy crown: the outer surface of a union of balls (each point of a ball's sphere that
    // lies inside another ball is dropped), roughened, with some returns from inside.
    void crown(const std::vector<P3>& centres, const std::vector<float>& radii, float densityScale = 1.0f);
    // Ground over [x0, x1] x [z0, z1] at height h(x, z).
    void ground(float x0, float x1, float z0, float z1, const std::function<float(float, float)>& h,
                float densityScale = 1.0f);

    const std::vector<ScanPoint>& points() const { return points_; }
    double area() const { return area_; }

private:
    // How many points an area gets: its expected count, with the fraction rounded at random.
    size_t countFor(double area, float densityScale);
    void add(P3 p, P3 n);

    Rng rng_;
    float density_;
    bool measureOnly_;
    double area_ = 0.0;
    std::vector<ScanPoint> points_;
};

// Samples the scene that `build` makes into about `target` points: the surface is measured
// first, then a trial pass at a tenth of that density corrects for what holes and hidden parts
// of crowns drop. Points beyond |x|, |z| <= `half` metres (the scan's extent) are cut away.
std::vector<ScanPoint> sampleScene(uint64_t seed, double target, float half,
                                   const std::function<void(ScanBuilder&)>& build);

// How much of the sky each point sees, 0 .. 1: the points are binned into a voxel grid of
// `voxel` metres, rays in 32 directions over the upper hemisphere (spread by the cosine of
// their elevation) are marched from the empty voxels beside the surface up to `reach`
// metres, and a point counts the rays that escape among those on its side of the surface.
std::vector<float> skyVisibility(const std::vector<ScanPoint>& points, float voxel, float reach);

// The order the show grows a cloud in: outward from (cx, cz), with some jitter so that the
// growing edge is ragged, like a scan that is still coming in. Returns indices into points.
std::vector<uint32_t> growthOrder(const std::vector<ScanPoint>& points, float cx, float cz, uint64_t seed);

}  // namespace content
