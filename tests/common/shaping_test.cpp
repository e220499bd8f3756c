#include "common/shaping.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Shaping, Ease) {
    struct Case { const char* name; double x; double p; double expected; };
    const double halfway = std::pow(1.0 - std::pow(0.5, 2.0), 3.0);  // p = 3 at x = 0.5
    const Case cases[] = {
        {"below 0", -2.0, 3.0, 0.0},
        {"at 0", 0.0, 3.0, 0.0},
        {"halfway", 0.5, 3.0, halfway},
        {"at 1", 1.0, 3.0, 1.0},
        {"above 1", 7.5, 3.0, 1.0},
        {"p = 1 is the cosine blend", 0.25, 1.0, 1.0 - (std::cos(M_PI * 0.25) + 1.0) / 2.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ease(c.x, c.p), c.expected, 1e-12) << c.name;
        EXPECT_NEAR(easeFloat(static_cast<float>(c.x), static_cast<float>(c.p)), c.expected, 2e-6) << c.name;
    }
    double last = 0.0;  // rises monotonically
    for (int i = 1; i <= 100; ++i) {
        const double e = ease(i / 100.0, 3.0);
        EXPECT_GE(e, last);
        last = e;
    }
}

TEST(Shaping, Ramp) {
    struct Case { const char* name; double v; double expected; };
    const Case cases[] = {
        {"negative", -3.0, 0.0},
        {"zero", 0.0, 0.0},
        {"one", 1.0, 0.7 * std::pow(0.5, 2.2) + 0.3},
        {"the switch at 0.3 x = 1", 10.0 / 3.0, 10.0 / 3.0},
        {"past the switch, a line", 8.0, 8.0},
    };
    for (const Case& c : cases) EXPECT_NEAR(ramp(c.v), c.expected, 1e-12) << c.name;
    // Continuous across the switch.
    EXPECT_NEAR(ramp(10.0 / 3.0 - 1e-9), ramp(10.0 / 3.0), 1e-8);
}

}  // namespace
