#include "scenes/lidar/point_bake_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace point_bake;

TEST(PointBakeRule, CameraRing) {
    struct Case { int pass; TVector eye; TVector target; };
    const Case cases[] = {
        {0, TVector(0, 5, 10), TVector(0, 0, 20)},
        {15, TVector(0, 5, 10), TVector(0, 0, -20)},           // half way round
        {30, TVector(0, 5, 10), TVector(0, 0, 20)},            // still the first eye
        {31, TVector(0, 5, 2), TVector(20 * std::sin(31 * 6.2831853f / 30), 0, 20 * std::cos(31 * 6.2831853f / 30) - 8)},
        {59, TVector(0, 5, 2), TVector(20 * std::sin(59 * 6.2831853f / 30), 0, 20 * std::cos(59 * 6.2831853f / 30) - 8)},
    };
    for (const Case& c : cases) {
        const TVector e = bakeEye(c.pass), t = bakeTarget(c.pass);
        EXPECT_NEAR(e.x, c.eye.x, 1e-5f) << c.pass;
        EXPECT_NEAR(e.y, c.eye.y, 1e-5f) << c.pass;
        EXPECT_NEAR(e.z, c.eye.z, 1e-5f) << c.pass;
        EXPECT_NEAR(t.x, c.target.x, 1e-4f) << c.pass;
        EXPECT_NEAR(t.y, c.target.y, 1e-4f) << c.pass;
        EXPECT_NEAR(t.z, c.target.z, 1e-4f) << c.pass;
    }
}

TEST(PointBakeRule, KeepDivisorByDistance) {
    struct Case { float distance; int divisor; };
    const Case cases[] = {{0.0f, 103}, {-1.0f, 103}, {5.0f, 28}, {9.5f, 3}, {10.0f, 3}, {40.0f, 3}, {7.0f, 12}};
    for (const Case& c : cases) EXPECT_EQ(keepDivisor(c.distance), c.divisor) << c.distance;
}

// A read-back of `n` texels, all at (px, py, pz, w).
std::vector<float> uniformImage(size_t n, float px, float py, float pz, float w) {
    std::vector<float> image(n * 4);
    for (size_t k = 0; k < n; ++k) {
        image[k * 4 + 0] = px;
        image[k * 4 + 1] = py;
        image[k * 4 + 2] = pz;
        image[k * 4 + 3] = w;
    }
    return image;
}

TEST(PointBakeRule, SkipsNearZeroCoordinatesWithoutDrawing) {
    // Any coordinate within 0.001 of zero: skipped, and no random number is taken.
    const TVector eye(0, 5, 10);
    struct Case { const char* name; float x, y, z; };
    const Case cases[] = {{"x zero", 0.0f, 3, 3}, {"y tiny", 3, 0.001f, 3}, {"z tiny negative", 3, 3, -0.0009f},
                          {"background", 0, 0, 0}};
    for (const Case& c : cases) {
        std::vector<float> image = uniformImage(64, c.x, c.y, c.z, 1.0f);
        std::vector<float> out;
        CRandom random(7);
        EXPECT_EQ(collectBakedTexels(image.data(), 64, eye, random, out), 0u) << c.name;
        EXPECT_TRUE(out.empty()) << c.name;
        EXPECT_EQ(random.next(), CRandom(7).next()) << c.name << ": the generator moved";
    }
}

TEST(PointBakeRule, FollowsTheCLibrarySequenceAndSkipsTheLastThreeTexels) {
    // Far texels (divisor 3): texel k is kept exactly when the k-th number after srand(42342)
    // is divisible by 3; the last three texels take no number and are never kept.
    const size_t n = 200;
    std::vector<float> image = uniformImage(n, 30.0f, 2.0f, 30.0f, 0.0f);
    for (size_t k = 0; k < n; ++k) image[k * 4 + 3] = static_cast<float>(k);   // w numbers the texels
    std::srand(kBakeSeed);
    std::vector<size_t> expected;
    for (size_t k = 0; k + 3 < n; ++k)
        if (std::rand() % 3 == 0) expected.push_back(k);
    const int next = std::rand();

    std::vector<float> out;
    CRandom random(kBakeSeed);
    EXPECT_EQ(collectBakedTexels(image.data(), n, TVector(0, 5, 10), random, out), expected.size());
    ASSERT_EQ(out.size(), expected.size() * 4);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(out[i * 4 + 0], 30.0f);
        EXPECT_EQ(out[i * 4 + 3], static_cast<float>(expected[i]));
    }
    EXPECT_EQ(random.next(), next) << "one number per visited texel, none for the last three";
}

TEST(PointBakeRule, KeepRateFallsNearTheEye) {
    // 100,000 texels at each distance: the kept share follows 1 / (int)(f^2 + 3).
    const TVector eye(0, 5, 10);
    struct Case { float distance; double rate; };
    const Case cases[] = {{15.0f, 1.0 / 3}, {7.5f, 1.0 / 9}, {4.5f, 1.0 / 33}, {1.5f, 1.0 / 75}};
    const size_t n = 100000;
    for (const Case& c : cases) {
        std::vector<float> image = uniformImage(n, 0.01f, 5.0f, 10.0f + c.distance, 1.0f);
        std::vector<float> out;
        reserveForPass(out, n);
        CRandom random(1);
        const double kept = static_cast<double>(collectBakedTexels(image.data(), n, eye, random, out));
        EXPECT_NEAR(kept / (n - 3), c.rate, c.rate * 0.08) << "distance " << c.distance;
    }
}

TEST(PointBakeRule, ShortImagesAndReserve) {
    std::vector<float> out;
    const float four[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    CRandom random(3);
    EXPECT_LE(collectBakedTexels(four, 4, TVector(0, 0, 0), random, out), 1u);   // only texel 0 is visited
    EXPECT_EQ(collectBakedTexels(four, 3, TVector(0, 0, 0), random, out), 0u);
    EXPECT_EQ(collectBakedTexels(four, 0, TVector(0, 0, 0), random, out), 0u);

    std::vector<float> grow;
    reserveForPass(grow, 1000);
    EXPECT_GE(grow.capacity(), 4000u);
    const float* data = grow.data();
    grow.resize(1000);
    reserveForPass(grow, 750);   // still fits
    EXPECT_EQ(grow.data(), data);
}
