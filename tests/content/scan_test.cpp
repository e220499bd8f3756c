// The scan builder and its occlusion term, on small hand-made scenes.
#include <gtest/gtest.h>

#include <cmath>

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
