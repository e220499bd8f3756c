#include "scenes/particles/rainbow_timeline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "driver/data_interface.h"
#include "scenes/particles/part_particle_shadow_rainbow.h"

using namespace rainbow;

namespace {

TVector origin(const Mat4& local) { return mat4TransformPoint(local, TVector(0, 0, 0)); }

}  // namespace

// The scene's own update: 5 % faster while the time before the advance is below 15 (15.0
// itself runs at the base rate), done once the time passes 33.2 in double precision.
TEST(RainbowTimeline, UpdateRunsTheRainbowClock) {
    const float base = static_cast<float>(static_cast<float>(static_cast<float>(0.02 * 0.95) * 1.1) * 1.033);
    const float fast = static_cast<float>(base * 1.05);
    struct Case { const char* name; float before; float step; bool done; };
    const Case cases[] = {
        {"start", 0.0f, fast, false},
        {"just before 15", std::nextafter(15.0f, 0.0f), fast, false},
        {"at 15", 15.0f, base, false},
        {"short of the end", 33.17f, base, false},
        {"past the end", 33.19f, base, true},
    };
    for (const Case& c : cases) {
        Part_ParticleShadowRainbow scene;
        Data_Interface engine;
        engine.frameDelta = 0.02f;
        scene.localTime = c.before;
        scene.update(&engine);
        EXPECT_EQ(scene.timeStep, c.step) << c.name;
        EXPECT_EQ(scene.localTime, c.before + c.step) << c.name;
        EXPECT_EQ(scene.done, c.done) << c.name;
        EXPECT_EQ(scene.updateCount, 1u) << c.name;
    }
    EXPECT_EQ(Part_ParticleShadowRainbow().localTime, kStartTime);
}

TEST(RainbowTimeline, CheetahRunsFromSix) {
    struct Case { const char* name; float t; bool runs; };
    const Case cases[] = {
        {"start", 0.0f, false},
        {"just before 6", std::nextafter(6.0f, 0.0f), false},
        {"at 6", 6.0f, true},
        {"the end", 33.2f, true},
    };
    for (const Case& c : cases) EXPECT_EQ(cheetahRuns(c.t), c.runs) << c.name;

    // It enters from off to the left, crosses in front of the crowd at a gallop, and comes
    // back the other way on the next run; it always faces the way it runs.
    const TVector enter = origin(cheetahLocal(6.0f));
    const TVector middle = origin(cheetahLocal(6.0f + 0.5f * kCheetahRunSeconds));
    const TVector back = origin(cheetahLocal(6.0f + 1.5f * kCheetahRunSeconds));
    EXPECT_LT(enter.x, -10.0f);
    EXPECT_GT(middle.x, -1.0f);
    EXPECT_LT(middle.x, 8.0f);
    EXPECT_GT(middle.z, 1.2f) << "in front of the crowd's front row";
    EXPECT_LT(back.x, middle.x);
    for (float t : {6.5f, 6.0f + 1.2f * kCheetahRunSeconds}) {
        const Mat4 local = cheetahLocal(t);
        const TVector ahead = mat4TransformPoint(local, TVector(0, 0, 1)) - origin(local);
        const float moving = origin(cheetahLocal(t + 0.01f)).x - origin(local).x;
        EXPECT_NEAR(ahead.x, moving > 0.0f ? 1.0f : -1.0f, 1e-5f) << t;
        EXPECT_GE(origin(local).y, 0.0f) << t;
        EXPECT_LE(origin(local).y, 0.13f) << t;
    }
}

TEST(RainbowTimeline, CameraKeepsTheCrowdInView) {
    struct Case { const char* name; float t; float minDistance; float maxDistance; float minEyeY; float maxEyeY; float fov; };
    // Wide and low at first, pushed in by 14, then up and back to the end.
    const Case cases[] = {
        {"start", 0.0f, 16.9f, 17.1f, 1.25f, 1.35f, 45.0f},
        {"pushed in", 14.0f, 9.9f, 10.1f, 1.55f, 1.65f, 42.0f},
        {"rising", 22.0f, 12.0f, 13.0f, 2.6f, 3.2f, 44.0f},
        {"the end", 33.2f, 14.9f, 15.1f, 4.15f, 4.25f, 47.0f},
    };
    for (const Case& c : cases) {
        const CameraShot s = cameraAt(c.t);
        const TVector toCrowd = s.eye - TVector(0.0f, s.eye.y, -3.0f);
        EXPECT_GE(toCrowd.length(), c.minDistance) << c.name;
        EXPECT_LE(toCrowd.length(), c.maxDistance) << c.name;
        EXPECT_GE(s.eye.y, c.minEyeY) << c.name;
        EXPECT_LE(s.eye.y, c.maxEyeY) << c.name;
        EXPECT_NEAR(s.fovDegrees, c.fov, 1.0f) << c.name;
        EXPECT_GT(s.eye.z, 5.0f) << c.name << ": in front of the crowd";
        EXPECT_NEAR(s.target.z, -3.0f, 1e-4f) << c.name;
    }
    // Smooth: no jump between neighbouring frames anywhere in the scene.
    for (float t = 0.0f; t < 33.2f; t += 1.0f / 60.0f) {
        const CameraShot a = cameraAt(t), b = cameraAt(t + 1.0f / 60.0f);
        ASSERT_LT((a.eye - b.eye).length(), 0.05f) << t;
        ASSERT_LT((a.target - b.target).length(), 0.02f) << t;
    }
}

TEST(RainbowTimeline, WalkersAndVeil) {
    for (int w = 0; w < kWalkers; ++w) {
        const WalkerPose start = walkerAt(w, 0.0f), end = walkerAt(w, 33.2f);
        const TVector a = origin(start.local), b = origin(end.local);
        EXPECT_LT(a.z, -10.0f) << w << ": behind the crowd";
        EXPECT_GT(std::fabs(b.x - a.x), 20.0f) << w << " walks across";
        EXPECT_GE(end.frame, 0);
        EXPECT_LT(end.frame, kWalkFrames);
    }
    struct Case { const char* name; float t; float alpha; };
    const Case cases[] = {
        {"start", 0.0f, 0.7f}, {"lifted", 1.5f, 0.0f}, {"middle", 20.0f, 0.0f},
        {"closing", 32.7f, 0.35f}, {"end", 33.2f, 0.7f}, {"past the end", 40.0f, 0.7f},
    };
    for (const Case& c : cases) EXPECT_NEAR(veilAlpha(c.t), c.alpha, 1e-3f) << c.name;
}
