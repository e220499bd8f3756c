#include <gtest/gtest.h>

#include <cmath>

#include "driver/loading_arc.h"

namespace {

TEST(LoadingArc, Advance) {
    EXPECT_NEAR(loading_arc::advance(0.0f, 100.0f), 1.2555, 1e-4);
    EXPECT_EQ(loading_arc::advance(0.0f, 100.0f),
              static_cast<float>(static_cast<double>(static_cast<float>(100.0 * 0.01186)) * 1.0586159999999998));
    EXPECT_EQ(loading_arc::advance(0.5f, 0.0f), 0.5f);
    // The scenes report about 79.65 in all, which brings the progress to 1.
    float p = 0.0f;
    for (int i = 0; i < 40; ++i) p = loading_arc::advance(p, 1.99f);
    EXPECT_NEAR(p, 1.0, 0.002);
}

TEST(LoadingArc, Fade) {
    struct Case {
        float progress;
        float fade;
    };
    const Case cases[] = {{0.0f, 0.0f}, {0.05f, 0.5f}, {0.1f, 1.0f}, {0.5f, 1.0f}, {0.9f, 1.0f}, {0.95f, 0.5f}};
    for (const Case& c : cases) EXPECT_NEAR(loading_arc::fade(c.progress), c.fade, 1e-6) << c.progress;
    // Closed: black (below half a step of an 8-bit channel).
    EXPECT_NEAR(loading_arc::fade(1.0f), 0.0f, 1e-6);
    EXPECT_LT(loading_arc::fade(1.0f) * 255.0f, 0.5f);
}

TEST(LoadingArc, Strips) {
    struct Case {
        float progress;
        int bodyCount;  // strips 1-3: segments 0 .. bodyCount - 1
        int headFirst;  // strips 4-6
        int headCount;
    };
    const Case cases[] = {
        {0.0f, 0, 0, 1},
        {0.5f, 250, 250, 1},
        {1.0f, 500, 500, 1},
        {0.2003f, 101, 100, 2},  // P x 500 = 100.15: the leading end spans one quad
    };
    for (const Case& c : cases) {
        const loading_arc::Arc a = loading_arc::arc(c.progress, 1.0f);
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(a.strips[s].first, 0) << c.progress;
            EXPECT_EQ(a.strips[s].count, c.bodyCount) << c.progress << " strip " << s + 1;
            EXPECT_EQ(a.strips[s + 3].first, c.headFirst) << c.progress << " strip " << s + 4;
            EXPECT_EQ(a.strips[s + 3].count, c.headCount) << c.progress << " strip " << s + 4;
        }
    }
}

TEST(LoadingArc, RadiiAndGreys) {
    const float f = 0.5f;
    const loading_arc::Arc a = loading_arc::arc(0.5f, f);
    const float band = static_cast<float>(0.4 * f);
    const float dim = static_cast<float>(0.75 * static_cast<double>(band));
    struct Expect {
        float r1, r2, grey1, grey2;
    };
    const Expect e[6] = {{1.02f, 1.09f, band, band}, {1.0f, 1.02f, 0.0f, band}, {1.1f, 1.09f, 0.0f, band},
                         {1.02f, 1.09f, dim, dim},   {1.0f, 1.02f, 0.0f, dim},  {1.1f, 1.09f, 0.0f, dim}};
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(a.strips[s].r1, e[s].r1) << "strip " << s + 1;
        EXPECT_EQ(a.strips[s].r2, e[s].r2) << "strip " << s + 1;
        EXPECT_EQ(a.strips[s].grey1, e[s].grey1) << "strip " << s + 1;
        EXPECT_EQ(a.strips[s].grey2, e[s].grey2) << "strip " << s + 1;
    }
    EXPECT_FLOAT_EQ(dim, 0.15f);
}

// Segment 0 is at the top (y is flipped on screen), a quarter of the way round on the right.
TEST(LoadingArc, Directions) {
    struct Case {
        int segment;
        float x, y;
    };
    const Case cases[] = {{0, 0.0f, -1.0f}, {125, 1.0f, 0.0f}, {250, 0.0f, 1.0f}, {375, -1.0f, 0.0f}, {500, 0.0f, -1.0f}};
    for (const Case& c : cases) {
        const loading_arc::Direction d = loading_arc::direction(c.segment);
        EXPECT_NEAR(d.x, c.x, 1e-6) << c.segment;
        EXPECT_NEAR(d.y, c.y, 1e-6) << c.segment;
    }
}

}  // namespace
