// The scan builder and its occlusion term, on small hand-made scenes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generator/depth_recording.h"
#include "generator/fields.h"
#include "generator/scan.h"

namespace {

using content::P3;
using content::ScanBuilder;

// Every face of a box faces out: each point's normal points away from the box's middle.
TEST(ScanBuilder, BoxNormalsFaceOut) {
    ScanBuilder s(1, 200.0f);
    s.box({1, 0, 2}, {3, 1, 5});
    s.orientedBox({-4, 0, 0}, 2.0f, 1.0f, 3.0f, 0.7f);
    ASSERT_GT(s.points().size(), 1000u);
    for (const content::ScanPoint& p : s.points()) {
        const P3 middle = p.p.x > 0 ? P3{2, 0.5f, 3.5f} : P3{-4, 0.5f, 0};
        EXPECT_GT(content::dot(p.n, p.p - middle), 0.0f) << p.p.x << " " << p.p.y << " " << p.p.z;
    }
}

// Measuring gives the area, and sampling at a density gives about area x density points.
TEST(ScanBuilder, SamplesInProportionToArea) {
    ScanBuilder measure(1, 1.0f, true);
    measure.quad({0, 0, 0}, {0, 0, 4}, {5, 0, 0});
    EXPECT_NEAR(measure.area(), 20.0, 1e-6);
    EXPECT_TRUE(measure.points().empty());
    ScanBuilder s(1, 100.0f);
    s.quad({0, 0, 0}, {0, 0, 4}, {5, 0, 0});
    EXPECT_NEAR(static_cast<double>(s.points().size()), 2000.0, 1.0);
}

// Open ground sees the whole sky; ground under a roof sees little of it; the inside of a
// closed box sees none; a wall sees about half.
TEST(SkyVisibility, FollowsTheGeometry) {
    ScanBuilder s(3, 60.0f);
    s.quad({-20, 0, -20}, {0, 0, 40}, {40, 0, 0});            // ground
    s.quad({-3, 2.5f, -3}, {0, 0, 6}, {6, 0, 0});             // a roof over (0, 0, 0), facing up
    s.quad({-3, 2.45f, 3}, {0, 0, -6}, {6, 0, 0});            // and its underside
    s.box({10, 0, 10}, {14, 4, 14});                          // a shed
    const std::vector<float> vis = content::skyVisibility(s.points(), 0.4f, 15.0f);
    ASSERT_EQ(vis.size(), s.points().size());
    double open = 0, roofed = 0, wall = 0;
    int nOpen = 0, nRoofed = 0, nWall = 0;
    for (size_t i = 0; i < vis.size(); ++i) {
        const P3 p = s.points()[i].p, n = s.points()[i].n;
        if (std::fabs(p.y) < 0.1f && std::fabs(p.x + 12) < 2 && std::fabs(p.z + 12) < 2) open += vis[i], ++nOpen;
        if (std::fabs(p.y) < 0.1f && std::fabs(p.x) < 1 && std::fabs(p.z) < 1) roofed += vis[i], ++nRoofed;
        if (n.x < -0.9f && std::fabs(p.x - 10) < 0.1f && p.y > 2.0f) wall += vis[i], ++nWall;
    }
    ASSERT_GT(nOpen, 0);
    ASSERT_GT(nRoofed, 0);
    ASSERT_GT(nWall, 0);
    EXPECT_GT(open / nOpen, 0.95);
    EXPECT_LT(roofed / nRoofed, 0.35);
    EXPECT_NEAR(wall / nWall, 0.5, 0.15);
}

// [SECTION] The scanner model

// A flat square of ground 60 m across at y = 0, sampled for scanning, with a wall 4 m high
// and 6 m wide standing across the +x axis at x = 10 (its face towards the origin).
std::vector<content::ScanPoint> groundAndWall(float density, bool wall) {
    ScanBuilder s(9, density);
    s.setSurfaceNoise(0.0f);
    s.quad({-30, 0, -30}, {0, 0, 60}, {60, 0, 0});
    if (wall) s.box({10, 0, -3}, {10.3f, 4, 3});
    return s.points();
}

content::ScannerModel coarseScanner() {
    content::ScannerModel m;
    m.azimuthStep = m.elevationStep = 0.004f;
    m.rangeNoise = 0.0f;
    m.glancingDropout = 0.0f;
    return m;
}

// Returns per square metre of ground in a sector (angles in radians about +x) and a ring
// of radii [r0, r1) round the origin.
double groundDensity(const std::vector<content::ScanPoint>& pts, float a0, float a1, float r0, float r1) {
    size_t n = 0;
    for (const content::ScanPoint& p : pts) {
        if (std::fabs(p.p.y) > 0.05f) continue;
        const float r = std::hypot(p.p.x, p.p.z), a = std::atan2(p.p.z, p.p.x);
        if (r >= r0 && r < r1 && a >= a0 && a < a1) ++n;
    }
    return static_cast<double>(n) / (0.5 * (a1 - a0) * (r1 * r1 - r0 * r0));
}

// One station 1.7 m above the origin: the wall's scan shadow behind it is empty, the ground
// beside the shadow at the same range is not, and the ground thins out with distance.
TEST(ScannerModel, ShadowsAndFalloff) {
    const float spacing = 0.05f;
    const std::vector<content::ScanPoint> pts = content::scanFromStations(
        groundAndWall(1.0f / (spacing * spacing), true), spacing, {{0, 1.7f, 0}}, coarseScanner(), 1);
    ASSERT_GT(pts.size(), 10000u);
    const struct {
        const char* what;
        float a0, a1, r0, r1;
        double atLeast, atMost;
    } cases[] = {
        {"shadow behind the wall", -0.2f, 0.2f, 12.0f, 25.0f, 0.0, 0.5},
        {"beside the shadow, same range", 1.0f, 1.4f, 12.0f, 25.0f, 5.0, 1e9},
        {"in front of the wall", -0.2f, 0.2f, 4.0f, 9.5f, 20.0, 1e9},
    };
    for (const auto& c : cases) {
        const double d = groundDensity(pts, c.a0, c.a1, c.r0, c.r1);
        EXPECT_GE(d, c.atLeast) << c.what;
        EXPECT_LE(d, c.atMost) << c.what;
    }
    // Falloff: each ring further out holds fewer returns per square metre than the last.
    const float rings[] = {8.0f, 12.0f, 18.0f, 24.0f};
    double last = 1e30;
    for (float r : rings) {
        const double d = groundDensity(pts, 2.0f, 3.0f, r, r + 1.0f);
        EXPECT_LT(d, last) << "ring at " << r << " m";
        last = d;
    }
}

// The returns lie on the surfaces they came from (the ground at y = 0, the wall), and their
// normals face the station.
TEST(ScannerModel, ReturnsLieOnTheSurfaceFacingTheStation) {
    const float spacing = 0.05f;
    const P3 station{0, 1.7f, 0};
    const std::vector<content::ScanPoint> pts = content::scanFromStations(
        groundAndWall(1.0f / (spacing * spacing), true), spacing, {station}, coarseScanner(), 2);
    size_t onWall = 0;
    for (const content::ScanPoint& p : pts) {
        if (std::hypot(p.p.x, p.p.z) > 25.0f) continue;  // beyond, the ground is all but edge-on
        const bool ground = std::fabs(p.p.y) < 0.01f;
        // A return at the wall's edge may land a few centimetres off it, as a real scanner's
        // mixed returns do.
        const bool wall = p.p.x > 9.95f && p.p.x < 10.35f && std::fabs(p.p.z) <= 3.05f;
        const bool top = std::fabs(p.p.y - 4.0f) < 0.01f;
        ASSERT_TRUE(ground || wall || top) << p.p.x << " " << p.p.y << " " << p.p.z;
        onWall += wall && !ground;
        ASSERT_GE(content::dot(p.n, station - p.p), 0.0f);
    }
    EXPECT_GT(onWall, 1000u);
}

// The occlusion term comes from the scanned world, not from the returns: ground under a
// roof that no station saw from above is still shut in.
TEST(ScannerModel, OcclusionComesFromTheGeometry) {
    ScanBuilder world(3, 60.0f);
    world.quad({-20, 0, -20}, {0, 0, 40}, {40, 0, 0});   // ground
    world.quad({-3, 2.5f, -3}, {0, 0, 6}, {6, 0, 0});    // a roof over (0, 0, 0)
    std::vector<content::ScanPoint> groundOnly;
    for (const content::ScanPoint& p : world.points())
        if (std::fabs(p.p.y) < 0.1f) groundOnly.push_back(p);
    const std::vector<float> fromGeometry = content::skyVisibility(groundOnly, 0.4f, 15.0f, &world.points());
    const std::vector<float> fromReturns = content::skyVisibility(groundOnly, 0.4f, 15.0f);
    double roofed = 0, roofedAlone = 0, open = 0;
    int nRoofed = 0, nOpen = 0;
    for (size_t i = 0; i < groundOnly.size(); ++i) {
        const P3 p = groundOnly[i].p;
        if (std::fabs(p.x) < 1 && std::fabs(p.z) < 1) roofed += fromGeometry[i], roofedAlone += fromReturns[i], ++nRoofed;
        if (std::fabs(p.x + 12) < 2 && std::fabs(p.z + 12) < 2) open += fromGeometry[i], ++nOpen;
    }
    ASSERT_GT(nRoofed, 0);
    ASSERT_GT(nOpen, 0);
    EXPECT_LT(roofed / nRoofed, 0.35);
    EXPECT_GT(roofedAlone / nRoofed, 0.9);  // the same points alone would look open
    EXPECT_GT(open / nOpen, 0.95);
}

// The growth order visits every point once, from the middle outwards.
TEST(GrowthOrder, IsAPermutationGrowingOutwards) {
    ScanBuilder s(4, 20.0f);
    s.quad({-30, 0, -30}, {0, 0, 60}, {60, 0, 0});
    const std::vector<uint32_t> order = content::growthOrder(s.points(), 0, 0, 1);
    ASSERT_EQ(order.size(), s.points().size());
    std::vector<bool> seen(order.size(), false);
    for (uint32_t i : order) {
        ASSERT_FALSE(seen[i]);
        seen[i] = true;
    }
    auto radius = [&](size_t k) { return std::hypot(s.points()[order[k]].p.x, s.points()[order[k]].p.z); };
    EXPECT_LT(radius(order.size() / 10), 15.0);
    EXPECT_GT(radius(order.size() - 1), 30.0);
}

// On a small grid the curl field is divergence-free to rounding, and the Voronoi map wraps.
TEST(Fields, CurlNoiseIsDivergenceFreeAndVoronoiTiles) {
    const int n = 24;
    const std::vector<float> v = content::curlNoiseField(n, n, n, 8.0f, 2);
    auto at = [&](int x, int y, int z, int c) { return v[((static_cast<size_t>(z) * n + y) * n + x) * 3 + c]; };
    for (int z = 1; z < n - 1; ++z)
        for (int y = 1; y < n - 1; ++y)
            for (int x = 1; x < n - 1; ++x) {
                const float d = at(x + 1, y, z, 0) - at(x - 1, y, z, 0) + at(x, y + 1, z, 1) - at(x, y - 1, z, 1) +
                                at(x, y, z + 1, 2) - at(x, y, z - 1, 2);
                ASSERT_LT(std::fabs(d), 1e-4f) << x << "," << y << "," << z;
            }
    const int w = 64;
    const std::vector<float> map = content::voronoiMap(w, w, 4, 7);
    // Across the wrap the values continue as they do between any two neighbours.
    double across = 0, inside = 0;
    for (int y = 0; y < w; ++y) {
        across += std::fabs(map[static_cast<size_t>(y) * w] - map[static_cast<size_t>(y) * w + w - 1]);
        inside += std::fabs(map[static_cast<size_t>(y) * w + 31] - map[static_cast<size_t>(y) * w + 32]);
    }
    EXPECT_LT(across, 2.0 * inside + 1.0);
}

}  // namespace

namespace {

// Mean absolute difference of the depths of two frames, in millimetres.
double depthChange(const cv::Mat& a, const cv::Mat& b) {
    double sum = 0.0;
    for (int y = 0; y < a.rows; ++y)
        for (int x = 0; x < a.cols; ++x) sum += std::abs(content::depthMillimetres(a, x, y) - content::depthMillimetres(b, x, y));
    return sum / (a.rows * a.cols);
}

// The recording loops without a jump: the last frame leads into the first as gently as any
// frame leads into the next.
TEST(DepthRecording, LoopsWithoutAJump) {
    const int w = 160;
    const cv::Mat first = content::renderDepthFrame(content::kDepthFirst, w).depth;
    const cv::Mat second = content::renderDepthFrame(content::kDepthFirst + 1, w).depth;
    const cv::Mat last = content::renderDepthFrame(content::kDepthLast, w).depth;
    const cv::Mat middle = content::renderDepthFrame(400, w).depth, next = content::renderDepthFrame(401, w).depth;
    const double step = std::max(depthChange(first, second), depthChange(middle, next));
    EXPECT_LT(depthChange(last, first), 1.5 * step);
    EXPECT_GT(depthChange(first, middle), step);  // and the person does move
}

}  // namespace
