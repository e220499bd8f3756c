// 2.ascbbcomp: the shared lidar scan, a park with a plaza, ruins and trees.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generator/catalogue.h"
#include "generator/cloud_file.h"
#include "generator/clouds.h"
#include "generator/noise.h"
#include "generator/scan.h"
#include "generator/scan_props.h"

namespace content {
namespace {

float between(Rng& rng, double lo, double hi) { return static_cast<float>(rng.uniform(lo, hi)); }

const float kPi = 3.14159265f;
const float kHalf = 40.0f;          // the park spans -40 .. 40 m in x and z
const float kPlazaRadius = 13.0f;

// Rolling ground, flattened under the plaza and the two paths that cross the park.
float parkHeight(const Noise& n, float x, float z) {
    const float r = std::sqrt(x * x + z * z);
    float h = 0.9f * n.fbm(x / 28.0f, z / 28.0f, 0.5f, 3) + 0.08f * n.at(x / 3.0f, z / 3.0f, 4.0f);
    const float path = std::min(std::fabs(x - 0.35f * z), std::fabs(z + 0.2f * x));
    h *= smoothstep(1.5f, 4.0f, path);
    h *= smoothstep(kPlazaRadius, kPlazaRadius + 4.0f, r);
    return r < kPlazaRadius ? 0.12f : h;  // the plaza's paving stands a little proud
}

bool onPathOrPlaza(float x, float z, float margin) {
    const float path = std::min(std::fabs(x - 0.35f * z), std::fabs(z + 0.2f * x));
    return path < 2.0f + margin || std::sqrt(x * x + z * z) < kPlazaRadius + margin;
}

// A column: a fluted shaft (a drum of many facets is enough at scan density), base and
// capital blocks; broken columns lose the capital.
void column(ScanBuilder& s, P3 base, float height, bool broken) {
    s.box({base.x - 0.65f, base.y, base.z - 0.65f}, {base.x + 0.65f, base.y + 0.4f, base.z + 0.65f});
    s.cylinder(base + P3{0, 0.4f, 0}, 0.42f, height - 0.4f, broken);
    if (!broken) s.box({base.x - 0.6f, base.y + height, base.z - 0.6f}, {base.x + 0.6f, base.y + height + 0.45f, base.z + 0.6f});
}

// The plaza: a ring of twelve columns around a dry fountain basin; three still carry a
// stretch of the beam, the rest stand at broken heights or lie where they fell.
void plaza(ScanBuilder& s, Rng& rng) {
    const float ringR = 10.5f;
    s.cylinder({0, 0.12f, 0}, 4.2f, 0.7f, false);  // basin wall, outside
    s.tube({0, 0.82f, 0}, {0, 0.84f, 0}, 4.2f);    // its rim
    s.cylinder({0, 0.12f, 0}, 1.0f, 1.6f, true);   // the spout's pedestal
    for (int i = 0; i < 12; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 12.0f + 0.13f;
        const P3 base{ringR * std::cos(a), 0.12f, ringR * std::sin(a)};
        const bool standing = i <= 3;
        const float h = standing ? 6.5f : static_cast<float>(rng.uniform(1.2, 5.5));
        if (i == 7 || i == 10) {
            // Fallen: the stump and the shaft lying outwards in drums.
            column(s, base, 0.9f, true);
            const P3 out{std::cos(a + 0.3f), 0, std::sin(a + 0.3f)};
            for (int d = 0; d < 4; ++d) {
                const P3 c = base + out * (2.2f + 1.25f * static_cast<float>(d)) + P3{0, 0.42f, 0};
                const P3 along = P3{-out.z, 0, out.x} * static_cast<float>(rng.uniform(-0.2, 0.2));
                s.tube(c - out * 0.55f + along, c + out * 0.55f - along, 0.42f);
            }
            continue;
        }
        column(s, base, h, !standing);
    }
    // The beam over the four standing columns.
    for (int i = 0; i < 3; ++i) {
        const float a0 = 2.0f * kPi * static_cast<float>(i) / 12.0f + 0.13f, a1 = a0 + 2.0f * kPi / 12.0f;
        const P3 p0{ringR * std::cos(a0), 7.07f, ringR * std::sin(a0)}, p1{ringR * std::cos(a1), 7.07f, ringR * std::sin(a1)};
        const P3 along = p1 - p0, out = normalized(P3{(p0.x + p1.x) * 0.5f, 0, (p0.z + p1.z) * 0.5f}) * 0.55f;
        s.quad(p0 - out + P3{0, 1.0f, 0}, along, out * 2.0f);                              // top
        s.quad(p0 + out, P3{0, 1.0f, 0}, along);                                           // outer face
        s.quad(p0 - out + along, P3{0, 1.0f, 0}, along * -1.0f);                           // inner face
        s.quad(p0 - out, out * 2.0f, along, nullptr, 1.0f);                                // underside
    }
}

// A ruined wall along a -> b: rough top edge between `low` and `high` metres, with door and
// window openings cut where `opening` says.
void ruinedWall(ScanBuilder& s, const Noise& n, P3 a, P3 b, float thick, float low, float high, float seed) {
    const P3 along = b - a;
    const float len = std::sqrt(dot(along, along));
    const P3 dir = along * (1.0f / len);
    const P3 out{dir.z, 0, -dir.x};
    auto topAt = [&](float t) {
        const float v = 0.5f + 0.5f * n.fbm(t / 6.0f, seed, 0.0f, 3);
        const float steps = std::floor(v * 6.0f) / 6.0f;  // masonry breaks off in courses
        return low + (high - low) * steps;
    };
    auto open = [&](float t, float y) {
        const float k = std::fmod(t, 5.0f);
        return (k > 1.8f && k < 3.2f && y > 1.2f && y < 3.8f) ||  // windows
               (std::fabs(t - len * 0.5f) < 1.1f && y < 3.2f);    // a doorway in the middle
    };
    const float step = 0.5f;
    for (float t = 0.0f; t < len - 1e-3f; t += step) {
        const float w = std::min(step, len - t), top = topAt(t);
        const P3 p = a + dir * t;
        // Faces of this slice of wall, both sides and the broken top (quad normals are u x v).
        s.quad(p + out * (thick * 0.5f), P3{0, top, 0}, dir * w, [&](float y, float u) { return !open(t + u, y); });
        s.quad(p - out * (thick * 0.5f) + dir * w, P3{0, top, 0}, dir * -w, [&](float y, float u) { return !open(t + w - u, y); });
        s.quad(p - out * (thick * 0.5f) + P3{0, top, 0}, dir * w, out * thick);
    }
}

// The old chapel in the park's north-east: four broken walls, an apse wall and rubble.
void chapel(ScanBuilder& s, const Noise& n, Rng& rng) {
    const P3 c{21.0f, 0.0f, -23.0f};
    const float w = 8.0f, d = 13.0f;
    const P3 p0 = c + P3{-w, 0, -d * 0.5f}, p1 = c + P3{w, 0, -d * 0.5f}, p2 = c + P3{w, 0, d * 0.5f}, p3 = c + P3{-w, 0, d * 0.5f};
    ruinedWall(s, n, p0, p1, 0.9f, 2.5f, 9.0f, 1.0f);
    ruinedWall(s, n, p1, p2, 0.9f, 3.0f, 10.5f, 2.0f);
    ruinedWall(s, n, p2, p3, 0.9f, 1.0f, 6.0f, 3.0f);
    ruinedWall(s, n, p3, p0, 0.9f, 1.5f, 8.0f, 4.0f);
    // Rubble: tumbled blocks around the walls.
    for (int i = 0; i < 40; ++i) {
        const P3 b = c + P3{static_cast<float>(rng.uniform(-w - 3, w + 3)), 0, static_cast<float>(rng.uniform(-d * 0.5 - 3, d * 0.5 + 3))};
        const float sz = static_cast<float>(rng.uniform(0.4, 1.0));
        s.orientedBox(b, sz * 1.4f, sz * 0.7f, sz, static_cast<float>(rng.uniform(0, kPi)));
    }
}

// A gateway arch on the western path: two piers and a round arch between them.
void gateway(ScanBuilder& s, P3 c, float yaw) {
    const P3 ax{std::cos(yaw), 0, -std::sin(yaw)}, az{std::sin(yaw), 0, std::cos(yaw)};
    const float span = 4.0f, pier = 1.4f, h = 5.0f, depth = 1.6f;
    s.orientedBox(c - ax * (span * 0.5f + pier * 0.5f), pier, h + 2.2f, depth, yaw);
    s.orientedBox(c + ax * (span * 0.5f + pier * 0.5f), pier, h + 2.2f, depth, yaw);
    // The arch: a half ring of small blocks, plus the masonry above it.
    for (int i = 0; i < 24; ++i) {
        const float a0 = kPi * static_cast<float>(i) / 24.0f, a1 = kPi * static_cast<float>(i + 1) / 24.0f;
        const float r = span * 0.5f;
        const P3 q0 = c + ax * (r * std::cos(a0)) + P3{0, h + r * std::sin(a0) - r * 0.5f, 0};
        const P3 q1 = c + ax * (r * std::cos(a1)) + P3{0, h + r * std::sin(a1) - r * 0.5f, 0};
        s.quad(q1 - az * (depth * 0.5f), q0 - q1, az * depth);  // the intrados, facing down
    }
    s.orientedBox(c + P3{0, h + 0.6f, 0}, span, 1.6f, depth, yaw);
}

void buildPark(ScanBuilder& s) {
    const Noise n(2024);
    Rng rng(77);
    s.ground(-kHalf, kHalf, -kHalf, kHalf, [&](float x, float z) { return parkHeight(n, x, z); });
    plaza(s, rng);
    chapel(s, n, rng);
    gateway(s, {-26.0f, 0.0f, 9.1f + 0.0f}, -0.2f);
    // Benches and lamps along the two paths.
    for (int i = -3; i <= 3; ++i) {
        if (i == 0) continue;
        const float t = static_cast<float>(i) * 9.0f;
        lampPost(s, {0.35f * t + 2.6f, parkHeight(n, 0.35f * t + 2.6f, t), t});
        slattedBench(s, {0.35f * t - 2.8f, parkHeight(n, 0.35f * t - 2.8f, t + 3.0f), t + 3.0f}, kPi * 0.5f - 0.34f);
        lampPost(s, {t, parkHeight(n, t, -0.2f * t - 2.6f), -0.2f * t - 2.6f});
    }
    // People: a few on the plaza and the paths, standing or walking.
    Rng people(79);
    const P3 spots[] = {{5.5f, 0, -8.0f}, {6.2f, 0, -7.4f}, {-7.5f, 0, 3.0f}, {2.0f, 0, 7.5f}, {-3.0f, 0, -7.0f},
                        {9.0f, 0, 27.0f}, {-6.0f, 0, -20.0f}, {-20.0f, 0, 4.5f}, {14.0f, 0, -2.5f}, {-27.0f, 0, 12.0f}};
    for (const P3& at : spots)
        person(s, {at.x, parkHeight(n, at.x, at.z), at.z}, between(people, 0, 2 * kPi), people.uniform() < 0.5 ? 0.0f : 0.8f);
    // Grass tufts on the lawns: a few blades each, leaning out.
    for (int i = 0; i < 1200; ++i) {
        const float x = between(people, -kHalf + 1, kHalf - 1), z = between(people, -kHalf + 1, kHalf - 1);
        if (onPathOrPlaza(x, z, 0.6f)) continue;
        const P3 root{x, parkHeight(n, x, z) - 0.02f, z};
        for (int b = 0; b < 6; ++b) {
            const float a = between(people, 0, 2 * kPi), lean = between(people, 0.05, 0.2), h = between(people, 0.15, 0.4);
            s.tube(root, root + P3{std::cos(a) * lean, h, std::sin(a) * lean}, 0.012f, 2.0f);
        }
    }
    // Trees: a loose wood around the edges, scattered ones inside, none on the paths, the
    // plaza or the chapel; the tallest stand furthest out.
    // Shapes draw from their own generator, so that reshaping trees never moves them.
    Rng shapes(78);
    int placed = 0;
    for (int attempt = 0; attempt < 400 && placed < 70; ++attempt) {
        const float x = static_cast<float>(rng.uniform(-kHalf + 2, kHalf - 2)), z = static_cast<float>(rng.uniform(-kHalf + 2, kHalf - 2));
        if (onPathOrPlaza(x, z, 3.5f)) continue;
        if (std::sqrt(x * x + z * z) < kPlazaRadius + 8.0f) continue;  // crowns stay clear of the colonnade
        if (x > 9.0f && x < 33.0f && z > -34.0f && z < -12.0f) continue;  // the chapel
        if (std::fabs(x + 26.0f) < 6.0f && std::fabs(z - 9.0f) < 6.0f) continue;  // the gateway
        const float edge = std::max(std::fabs(x), std::fabs(z)) / kHalf;
        if (rng.uniform() > 0.25 + 0.75 * edge) continue;
        const float h = static_cast<float>(rng.uniform(8.0, 12.0) + 7.0 * edge);
        const P3 base{x, parkHeight(n, x, z), z};
        if (rng.uniform() < 0.3) branchingConifer(s, shapes, base, h);
        else branchingTree(s, shapes, base, h, between(shapes, 0.85, 1.15));
        ++placed;
    }
    // Low shrubs.
    for (int i = 0; i < 60; ++i) {
        const float x = static_cast<float>(rng.uniform(-kHalf + 1, kHalf - 1)), z = static_cast<float>(rng.uniform(-kHalf + 1, kHalf - 1));
        if (onPathOrPlaza(x, z, 1.0f)) continue;
        const float r = static_cast<float>(rng.uniform(0.6, 1.3));
        s.crown({{x, parkHeight(n, x, z) + r * 0.5f, z}, {x + r * 0.6f, parkHeight(n, x, z) + r * 0.4f, z + 0.3f}}, {r, r * 0.8f}, 0.9f);
    }
}


}  // namespace

// Where the scanner stood: along the paths the camera follows, on the plaza inside the
// colonnade, by the gateway and in and beside the chapel. The tripod holds the head 1.7 m
// above the ground.
std::vector<P3> parkStations() {
    const Noise n(2024);
    const float spots[][2] = {{24.2f, -27.7f}, {17.1f, -26.1f}, {2.0f, -18.5f}, {-8.6f, -4.6f}, {-16.1f, 18.7f},
                              {2.7f, 4.8f},    {16.1f, -7.7f},  {-7.0f, -1.5f}, {6.5f, 2.0f},   {-27.5f, 17.5f},
                              {-25.5f, 2.0f},  {21.0f, -23.0f}, {30.0f, -7.0f}, {12.0f, -11.0f}, {-2.0f, 30.0f},
                              {28.0f, 20.0f}};
    std::vector<P3> stations;
    for (const auto& p : spots) stations.push_back({p[0], parkHeight(n, p[0], p[1]) + 1.7f, p[1]});
    return stations;
}

std::vector<ScanPoint> parkPoints(bool small, std::vector<ScanPoint>* surface) {
    ScannerModel model;
    if (small) model.azimuthStep = model.elevationStep = 0.012f;
    return scanScene(5, small ? 40.0f : 320.0f, parkStations(), model, small ? 300000 : 3600000, kHalf, buildPark, surface);
}

namespace {

// The shared scan: a park about 80 x 80 m with a colonnade around a dry fountain, a ruined
// chapel, a gateway arch, paths with benches and lamps, and some seventy trees up to 19 m.
// 0.001 units per metre; the ground at y = 0. The occlusion term is the sky each point sees.
void makeParkCloud(const Context& ctx, const std::string& tmp) {
    std::vector<ScanPoint> surface;
    const std::vector<ScanPoint> points = parkPoints(ctx.small, &surface);
    const std::vector<float> vis = skyVisibility(points, ctx.small ? 0.6f : 0.35f, 18.0f, &surface);
    surface = {};
    writeScanCloud(tmp, points, vis, growthOrder(points, 0.0f, 0.0f, 9), 0.001f);
}

void previewParkCloud(const Context& ctx, const std::string& path) {
    previewCloudFile(ctx, path, "park", {{0.0242f, 0.014f, -0.0277f}, {0.0f, 0.002f, 0.0f}, 35.0f});
}

CONTENT_ASSETS(parkCloud) {
    addAsset({"newresources/2.ascbbcomp", 4, 12.0, makeParkCloud, previewParkCloud});
}

}  // namespace
}  // namespace content
