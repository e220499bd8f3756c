// The fallers' script without GL: the clock (its table entry), the camera with and without a
// sway, the mist drift and the dust streaks.
#include "scenes/particles/fallers_timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "common/shaping.h"
#include "driver/data_interface.h"
#include "driver/scene_clock.h"
#include "formats/path_sway.h"
#include "scenes/particles/part_fallers.h"

using namespace fallers;

namespace {

float rounded(double v) { return static_cast<float>(v); }

// The step the scene's clock takes from `frameDelta`, accelerated or not.
float expectedStep(float frameDelta, bool accelerated) {
    float s = rounded(static_cast<double>(frameDelta) * 1.1);
    if (accelerated) s = rounded(static_cast<double>(s) * 1.05);
    return rounded(static_cast<double>(s) * 0.91489);
}

TEST(FallersClock, Table) {
    const SceneClock& clock = sceneClock(SceneId::Fallers);
    EXPECT_STREQ(clock.name, "Part_Fallers");
    EXPECT_EQ(clock.start, 0.0f);
    struct Case { const char* name; float localTime; float frameDelta; bool accelerated; bool done; };
    const Case cases[] = {
        {"the start", 0.0f, 1.0f / 60.0f, true, false},
        {"a stalled frame", 5.0f, 0.0f, true, false},
        {"just under 20: still accelerated", 19.99f, 0.1f, true, true},
        {"at 20 the extra factor stops", 20.0f, 0.1f, false, true},
        {"lands on 19 exactly: not done yet", 19.0f - expectedStep(0.0f, true), 0.0f, true, false},
        {"crosses 19", 18.99f, 0.1f, true, true},
    };
    for (const Case& c : cases) {
        const ClockTick next = tick(clock, c.localTime, c.frameDelta);
        EXPECT_EQ(next.timeStep, expectedStep(c.frameDelta, c.accelerated)) << c.name;
        EXPECT_EQ(next.localTime, c.localTime + next.timeStep) << c.name;
        EXPECT_EQ(next.done, c.done) << c.name;
    }
}

TEST(FallersClock, EveryFrameOfTheSceneIsAccelerated) {
    // At any frame rate the scene ends (past 19) before the clock reaches 20, so the
    // unaccelerated rate never applies; at 60 frames a second it takes about 18 s.
    for (float delta : {1.0f / 60.0f, 1.0f / 24.0f, 0.5f}) {
        auto owned = std::make_unique<Part_Fallers>();
        Part_Fallers& scene = *owned;
        Data_Interface engine;
        engine.frameDelta = delta;
        int frames = 0;
        while (!scene.done) {
            const float before = scene.localTime;
            scene.update(&engine);
            ASSERT_EQ(scene.timeStep, expectedStep(delta, true)) << "at " << before;
            ++frames;
        }
        EXPECT_GT(scene.localTime, 19.0f);
        EXPECT_EQ(scene.updateCount, static_cast<uint32_t>(frames));
        if (delta == 1.0f / 60.0f) {
            EXPECT_NEAR(frames / 60.0, 19.0 / (1.1 * 1.05 * 0.91489), 0.05);
        }
    }
}

TEST(FallersCamera, FlatUntilSixteenThenLifting) {
    const PathSample still;   // no sway
    struct Case { float t; double lift; };
    const Case cases[] = {
        {-3.0f, 0.0}, {0.0f, 0.0}, {15.99f, 0.0}, {16.0f, 0.0},
        {17.0f, ramp((17.0 - 16.0) * 0.2)}, {19.0f, ramp((19.0 - 16.0) * 0.2)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cameraLift(c.t), c.lift) << c.t;
        const CameraPose pose = cameraAt(c.t, still);
        EXPECT_EQ(pose.eye.x, 7.0f);
        EXPECT_EQ(pose.eye.y, rounded(0.4 * c.lift)) << c.t;
        EXPECT_EQ(pose.eye.z, 0.0f);
        EXPECT_EQ(pose.target.x, 0.0f);
        EXPECT_EQ(pose.target.y, 0.5f);
        EXPECT_EQ(pose.target.z, 0.0f);
        EXPECT_EQ(pose.up.x, 0.0f);
        EXPECT_EQ(pose.up.y, 1.0f);
    }
    EXPECT_EQ(cameraLift(-1e9f), 0.0);
    EXPECT_GT(cameraAt(19.0f, still).eye.y, 0.06f);
}

TEST(FallersCamera, SwayMovesTheTargetAndRollsTheUpVector) {
    PathSample s;
    s.position = TVector(200.0f, -100.0f, 50.0f);
    s.valueB = 800.0;
    const CameraPose pose = cameraAt(3.0f, s);
    EXPECT_EQ(pose.swayX, rounded(200.0 * 0.000118755));
    EXPECT_EQ(pose.swayY, rounded(-100.0 * 0.000118755));
    EXPECT_EQ(pose.target.x, 0.0f + rounded(200.0 * 0.000118755));
    EXPECT_EQ(pose.target.y, 0.5f + rounded(-100.0 * 0.000118755));
    EXPECT_EQ(pose.target.z, rounded(50.0 * 0.000118755));
    EXPECT_EQ(pose.up.x, rounded(0.3 * std::sin(800.0 * 1.7188733375604615 * 0.000118755)));
    EXPECT_EQ(pose.up.y, 1.0f);
    EXPECT_EQ(pose.up.z, 0.0f);

    const MistDrift drift = mistDrift(pose.swayX, pose.swayY);
    EXPECT_EQ(drift.x, rounded(static_cast<double>(pose.swayX) * 0.0002));
    EXPECT_EQ(drift.y, rounded(static_cast<double>(pose.swayY) * 0.0002));
}

TEST(FallersCamera, SwayFromThePath) {
    CameraPath path;
    for (int i = 0; i < 100; ++i) {
        path.points.push_back(TVector(static_cast<float>(i), 0.0f, 0.0f));
        path.valuesA.push_back(0.0);
        path.valuesB.push_back(i * 10.0);
    }
    // Before t = 76/35 the step is negative and read as 2^64 + k: at t = 0, k = -76.
    const uint64_t wrapped = (std::numeric_limits<uint64_t>::max() - 75) % 99;
    const CameraPose early = cameraAt(0.0f, pathSwayAt(path, 0.0));
    EXPECT_EQ(early.swayX, rounded(static_cast<double>(wrapped) * 0.000118755));
    EXPECT_EQ(early.up.x, rounded(0.3 * std::sin(wrapped * 10.0 * 1.7188733375604615 * 0.000118755)));

    // A path of one record: nothing to sway by, the plain camera.
    CameraPath single;
    single.points.push_back(TVector(300.0f, 300.0f, 300.0f));
    single.valuesA.push_back(1000.0);
    single.valuesB.push_back(1000.0);
    const CameraPose plain = cameraAt(10.0f, pathSwayAt(single, 10.0));
    EXPECT_EQ(plain.target.x, 0.0f);
    EXPECT_EQ(plain.target.y, 0.5f);
    EXPECT_EQ(plain.up.x, 0.0f);
    EXPECT_EQ(plain.swayX, 0.0f);
}

TEST(FallersDust, StreaksFallAndFadeBeforeTheyStartOver) {
    for (int i = 0; i < kStreakCount; ++i) {
        const Streak a = streakAt(i, 4.0f);
        EXPECT_EQ(a.head.x, streakAt(i, 4.0f).head.x);   // the same on every call
        EXPECT_GT(a.tail.y, a.head.y);
        EXPECT_GE(a.brightness, 0.0f);
        EXPECT_LE(a.brightness, 1.0f);
        EXPECT_GE(a.head.y, kWaterY - 0.01f);
        // A little later it is lower, unless it has started over, when it is faded out.
        const Streak b = streakAt(i, 4.05f);
        if (b.head.y > a.head.y) {
            EXPECT_LT(a.brightness, 0.05f) << i;
            EXPECT_LT(b.brightness, 0.05f) << i;
        } else {
            EXPECT_EQ(b.head.x, a.head.x);
        }
    }
}

TEST(FallersClock, TheFrameThatEndsTheSceneIsNotDrawnByIt) {
    auto scene = std::make_unique<Part_Fallers>();
    Data_Interface engine;   // no display: a render that drew anything would crash
    engine.frameDelta = 0.1f;
    scene->localTime = 18.95f;
    scene->update(&engine);
    ASSERT_TRUE(scene->done);
    const float offset[3] = {0, 0, 0};
    engine.aux = -1.0f;
    scene->render(&engine, 0, offset);
    EXPECT_EQ(engine.aux, -1.0f);   // returned before writing its time
    EXPECT_EQ(scene->engine, &engine);
}

}  // namespace
