#include "scenes/particles/sway_camera.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SwayCamera, AddsTheWeightedPositionAndTiltsUp) {
    PathSample s;
    s.position = TVector(100.0f, -200.0f, 300.0f);
    s.valueB = 800.0;
    struct Case { const char* name; double w; };
    const Case cases[] = {{"calm", 0.00006786}, {"shaky", 0.00084825}, {"after", 0.00027144}};
    for (const Case& c : cases) {
        const SwayedAim aim = swayAim(s, TVector(1.0f, 2.0f, 3.0f), c.w);
        EXPECT_EQ(aim.target.x, static_cast<float>(1.0 + 100.0 * c.w)) << c.name;
        EXPECT_EQ(aim.target.y, static_cast<float>(2.0 - 200.0 * c.w)) << c.name;
        EXPECT_EQ(aim.target.z, static_cast<float>(3.0 + 300.0 * c.w)) << c.name;
        EXPECT_EQ(aim.up.x, static_cast<float>(0.4 * std::sin(800.0 * 1.7188733375604615 * c.w))) << c.name;
        EXPECT_EQ(aim.up.y, 1.0f);
        EXPECT_EQ(aim.up.z, 0.0f);
    }
}

TEST(SwayCamera, ZeroWeightLeavesTheScript) {
    PathSample s;
    s.position = TVector(100.0f, 100.0f, 100.0f);
    s.valueB = 1000.0;
    const SwayedAim aim = swayAim(s, TVector(1.0f, 2.0f, 3.0f), 0.0);
    EXPECT_EQ(aim.target.x, 1.0f);
    EXPECT_EQ(aim.target.y, 2.0f);
    EXPECT_EQ(aim.target.z, 3.0f);
    EXPECT_EQ(aim.up.x, 0.0f);
}
