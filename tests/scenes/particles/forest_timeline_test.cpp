#include "scenes/particles/forest_timeline.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace forest;

TEST(ForestTimeline, TreesGrowUntilTwentyThree) {
    struct Case { const char* name; float t; bool growing; float buildTime; };
    const Case cases[] = {
        {"start", kStartTime, true, kStartTime},
        {"just before 23", std::nextafter(23.0f, 0.0f), true, std::nextafter(23.0f, 0.0f)},
        {"at 23", 23.0f, false, 23.0f},
        {"the end", 29.9f, false, 23.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(treesGrowing(c.t), c.growing) << c.name;
        EXPECT_EQ(treeBuildTime(c.t), c.buildTime) << c.name;
    }
}

TEST(ForestTimeline, CameraKeepsTheClearingInView) {
    struct Case { const char* name; float t; float minDistance; float maxDistance; float minEyeY; float maxEyeY; };
    // Close and low while the trunks sprout, drawn back and up as the crowns spread, a little
    // nearer again at the close.
    const Case cases[] = {
        {"start", 0.3f, 7.9f, 8.2f, 0.85f, 1.0f},
        {"crowns spreading", 9.0f, 9.0f, 12.0f, 1.5f, 2.8f},
        {"drawn back", 18.0f, 12.3f, 12.6f, 2.9f, 3.1f},
        {"the close", 29.85f, 11.2f, 11.4f, 2.5f, 2.7f},
    };
    for (const Case& c : cases) {
        const CameraShot s = cameraAt(c.t);
        const TVector toCentre = s.eye - TVector(0.0f, s.eye.y, -0.5f);
        EXPECT_GE(toCentre.length(), c.minDistance) << c.name;
        EXPECT_LE(toCentre.length(), c.maxDistance) << c.name;
        EXPECT_GE(s.eye.y, c.minEyeY) << c.name;
        EXPECT_LE(s.eye.y, c.maxEyeY) << c.name;
        EXPECT_GT(s.eye.z, 5.0f) << c.name << ": in front of the trees";
        EXPECT_EQ(s.fovDegrees, 50.0f);
    }
    // Smooth: no jump between neighbouring frames anywhere in the scene.
    for (float t = 0.0f; t < 30.0f; t += 1.0f / 60.0f) {
        const CameraShot a = cameraAt(t), b = cameraAt(t + 1.0f / 60.0f);
        ASSERT_LT((a.eye - b.eye).length(), 0.02f) << t;
        ASSERT_LT((a.target - b.target).length(), 0.02f) << t;
    }
}

TEST(ForestTimeline, WalkersCrossBehindTheClearing) {
    for (int w = 0; w < kWalkers; ++w) {
        const WalkerPose start = walkerAt(w, 0.0f), end = walkerAt(w, 29.85f);
        const TVector a = mat4TransformPoint(start.local, TVector(0, 0, 0));
        const TVector b = mat4TransformPoint(end.local, TVector(0, 0, 0));
        EXPECT_LT(a.z, -7.0f) << w;
        EXPECT_EQ(a.z, b.z) << w;
        EXPECT_GT(std::fabs(b.x - a.x), 18.0f) << w << " walks across";
        // The mesh walks toward +z; turned, it walks the way the walker moves.
        const TVector ahead = mat4TransformPoint(start.local, TVector(0, 0, 1)) - a;
        EXPECT_NEAR(ahead.x, b.x > a.x ? 1.0f : -1.0f, 1e-5f) << w;
        EXPECT_GE(start.frame, 0);
        EXPECT_LT(start.frame, kWalkFrames);
    }
    // The walk cycle runs at about 34 frames a second.
    EXPECT_EQ(walkerAt(0, 1.0f).frame, static_cast<int>(34.0f * 0.95f) % kWalkFrames);
    EXPECT_EQ(walkerAt(2, 0.0f).frame, 26);
}

TEST(ForestTimeline, GrassIsTheSameEveryRun) {
    static GrassBlade a[kGrassBlades], b[kGrassBlades];
    makeGrass(a);
    makeGrass(b);
    for (int i = 0; i < kGrassBlades; ++i) {
        ASSERT_EQ(a[i].tip.x, b[i].tip.x);
        ASSERT_EQ(a[i].root.y, 0.0f);
        ASSERT_GT(a[i].tip.y, 0.1f);
        ASSERT_LT(a[i].tip.y, 0.5f);
    }
}

TEST(ForestTimeline, MirroredPlacementsFlipHeight) {
    const TVector p = mat4TransformPoint(buffaloLocal(), TVector(0.5f, 1.2f, 0.3f));
    const TVector q = mat4TransformPoint(mirrored(buffaloLocal()), TVector(0.5f, 1.2f, 0.3f));
    EXPECT_FLOAT_EQ(q.x, p.x);
    EXPECT_FLOAT_EQ(q.y, -p.y);
    EXPECT_FLOAT_EQ(q.z, p.z);
    EXPECT_NEAR(mat4TransformPoint(standing3Local(), TVector(0, 0, 0)).x, 7.4f, 1e-6f);
}
