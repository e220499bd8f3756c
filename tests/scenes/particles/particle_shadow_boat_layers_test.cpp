#include "scenes/particles/particle_shadow_boat_layers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

using namespace boat;

// Every layer fills at most its stated size, the same on every call, with finite values and
// opacities in 0..1.
TEST(BoatLayers, GeometryIsBoundedRepeatableAndFinite) {
    const TVector eye(12.0f, 2.0f, 1.4f);
    struct Case { const char* name; int capacity; std::function<int(float, ColouredVertex*)> make; };
    const Case cases[] = {
        {"stars", kStars, [&](float, ColouredVertex* v) { return makeStars(eye, v); }},
        {"glints", 2 * kGlints, [&](float t, ColouredVertex* v) { return makeGlints(eye, t, v); }},
        {"ripples", 2 * kRippleRings * kRingSegments, [](float t, ColouredVertex* v) { return makeRipples(t, 1.0f, v); }},
        {"wake", 4 * kWakeSegments, [](float t, ColouredVertex* v) { return makeWake(t, 1.0f, v); }},
        {"moon rays", 2 * kMoonRays, [](float t, ColouredVertex* v) { return makeMoonRays(t, 1.0f, v); }},
        {"embers", kEmbers, [](float t, ColouredVertex* v) { return makeEmbers(t, 1.0f, v); }},
        {"gaze", 2 * kGazeLines, [](float t, ColouredVertex* v) { return makeGazeLines(t, 1.0f, v); }},
    };
    for (const Case& c : cases) {
        for (float t : {-2.0f, 7.5f, 47.0f}) {
            std::vector<ColouredVertex> a(c.capacity + 8), b(c.capacity + 8);
            const int n = c.make(t, a.data());
            ASSERT_GT(n, 0) << c.name;
            ASSERT_LE(n, c.capacity) << c.name;
            ASSERT_EQ(c.make(t, b.data()), n);
            EXPECT_EQ(std::memcmp(a.data(), b.data(), sizeof(ColouredVertex) * n), 0) << c.name;
            for (int i = 0; i < n; ++i) {
                const ColouredVertex& v = a[i];
                ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)) << c.name;
                ASSERT_GE(v.a, 0.0f) << c.name;
                ASSERT_LE(v.a, 1.0f) << c.name;
            }
        }
    }
}

TEST(BoatLayers, StarsStayAboveTheHorizon) {
    std::vector<ColouredVertex> v(kStars);
    const TVector eye(3.0f, 1.0f, -2.0f);
    makeStars(eye, v.data());
    for (const ColouredVertex& s : v) EXPECT_GT(s.y, eye.y);
}
