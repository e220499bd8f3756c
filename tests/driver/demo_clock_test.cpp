#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "driver/demo_clock.h"

namespace {

TEST(DemoClock, LockFactor) {
    struct Case {
        const char* name;
        double demoTime;
        float musicTime;
        float k;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"in step", 10.0, 10.0f, 1.0f},
        {"1 s ahead", 11.0, 10.0f, 0.7f},
        {"1 s behind", 9.0, 10.0f, 1.4f},
        {"0.1 s ahead", 10.1, 10.0f, 0.96f},
        {"3 s behind: clamped", 7.0, 10.0f, demo_clock::kMaxRate},
        {"3 s ahead: clamped", 13.0, 10.0f, 0.7f},
        {"no music (infinite position)", 5.0, inf, demo_clock::kMaxRate},
        {"no music at byte 0 (not a number)", 5.0, std::nanf(""), demo_clock::kMaxRate},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(demo_clock::lockFactor(c.demoTime, c.musicTime), c.k) << c.name;
    EXPECT_EQ(demo_clock::kMaxRate, static_cast<float>(1.4285714285714286));
    // The drift is rounded to float first, the product taken in double and rounded to float.
    EXPECT_EQ(demo_clock::lockFactor(9.0, 10.0f), static_cast<float>(1.0 - 0.4 * -1.0));
}

TEST(DemoClock, StallRule) {
    struct Case {
        float dt;
        float expected;
    };
    const Case cases[] = {{1.5f, 0.0f}, {1.0f, 1.0f}, {1.0000001f, 0.0f}, {0.016f, 0.016f}, {0.0f, 0.0f}};
    for (const Case& c : cases) EXPECT_EQ(demo_clock::limitStep(c.dt), c.expected) << c.dt;
}

}  // namespace
