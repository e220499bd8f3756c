#include "scenes/lidar/lidar_ao_start_timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "driver/scene_clock.h"

using namespace lidar_ao_start;

namespace {

float below(float t) { return std::nextafter(t, -1e9f); }
float above(float t) { return std::nextafter(t, 1e9f); }

float distance(const TVector& a, const TVector& b) { return (a - b).length(); }

}  // namespace

// The clock: x 1.03, and x 1.085 more once past 3; done when the new time passes 35.5 (float).
TEST(LidarAOStartTimeline, ClockEdges) {
    const SceneClock& clock = sceneClock(SceneId::LidarAOStart);
    EXPECT_EQ(clock.start, kStartTime);
    const float slow = static_cast<float>(1.0 * 1.03);
    const float fast = static_cast<float>(static_cast<double>(slow) * 1.085);
    EXPECT_EQ(tick(clock, 3.0f, 1.0f).timeStep, slow);
    EXPECT_EQ(tick(clock, above(3.0f), 1.0f).timeStep, fast);
    EXPECT_FALSE(tick(clock, 35.5f, 0.0f).done);
    EXPECT_FALSE(tick(clock, 35.0f, 0.5f / (1.03f * 1.085f) * 0.9999f).done);
    EXPECT_TRUE(tick(clock, 35.5f, 1e-5f).done);
}

TEST(LidarAOStartTimeline, ShotWindows) {
    struct Case { const char* name; float t; Shot shot; };
    const Case cases[] = {
        {"start", 0.0f, Shot::Base},          {"before the push", below(8.0f), Shot::Base},
        {"push", 8.0f, Shot::Push},           {"push end", below(13.0f), Shot::Push},
        {"after the push", 13.0f, Shot::Base}, {"glide", 21.4f, Shot::Glide},
        {"glide end", below(24.33f), Shot::Glide}, {"after the glide", 24.33f, Shot::Base},
        {"roofs", 26.0f, Shot::Roofs},        {"roofs end", below(28.0f), Shot::Roofs},
        {"after the roofs", 28.0f, Shot::Base}, {"end", 35.5f, Shot::Base},
    };
    for (const Case& c : cases) EXPECT_EQ(shotAt(c.t), c.shot) << c.name;
}

// Within a shot the camera moves smoothly: at 120 steps a second no step is larger than a few
// centimetres (the shake left out); at the shots' edges it may cut.
TEST(LidarAOStartTimeline, NoJumpInsideAShot) {
    const TVector still(0.0f, 0.0f, 0.0f);
    CameraPose previous = cameraAt(0.0f, still);
    for (int i = 1; i <= 36 * 120; ++i) {
        const float t = static_cast<float>(i) / 120.0f;
        const CameraPose pose = cameraAt(t, still);
        if (shotAt(t) == shotAt(static_cast<float>(i - 1) / 120.0f)) {
            ASSERT_LT(distance(pose.eye, previous.eye), 0.00006f) << "t " << t;
            ASSERT_LT(distance(pose.target, previous.target), 0.0003f) << "t " << t;
        }
        previous = pose;
    }
}

// The base shot as given: the eye backs away along x and rises from 23; the target holds.
TEST(LidarAOStartTimeline, BaseShotAndShake) {
    const TVector still(0.0f, 0.0f, 0.0f);
    const CameraPose at0 = cameraAt(0.0f, still);
    EXPECT_FLOAT_EQ(at0.eye.x, 0.022f);
    EXPECT_FLOAT_EQ(at0.eye.y, -0.0005f);
    EXPECT_FLOAT_EQ(at0.target.x, 0.0f);
    EXPECT_FLOAT_EQ(at0.target.y, -0.0005f);
    EXPECT_FLOAT_EQ(at0.up.x, 0.02f);
    EXPECT_FLOAT_EQ(cameraAt(35.0f, still).eye.y, (-0.5f + 2.2f) * 0.001f);

    struct Case { float t; float amplitude; };
    const Case cases[] = {{0.0f, 8.4825e-08f}, {below(13.0f), 8.4825e-08f}, {13.0f, 6.786e-07f}, {30.0f, 6.786e-07f}};
    const TVector sway(100.0f, -200.0f, 300.0f);
    for (const Case& c : cases) {
        EXPECT_EQ(shakeAmplitude(c.t), c.amplitude) << c.t;
        const CameraPose shaken = cameraAt(c.t, sway);
        const CameraPose calm = cameraAt(c.t, still);
        EXPECT_FLOAT_EQ(shaken.rePosX, 100.0f * c.amplitude);
        EXPECT_FLOAT_EQ(shaken.rePosY, -200.0f * c.amplitude);
        EXPECT_NEAR(shaken.eye.z - calm.eye.z, 300.0f * c.amplitude, 1e-9f);
        EXPECT_NEAR(shaken.target.x - calm.target.x, 100.0f * c.amplitude, 1e-9f);
    }
}

TEST(LidarAOStartTimeline, MaterialClock) {
    struct Case { float t; float controller; float ttime; };
    const Case cases[] = {
        {7.0f, 2.0f, 7.0f},   {8.0f, 2.0f, 6.0f},    {12.5f, 0.0f, 12.5f}, {13.0f, 2.0f, 8.0f},
        {24.33f, 0.0f, 19.33f}, {above(24.33f), 0.0f, above(24.33f) - 9.0f}, {30.0f, 0.0f, 21.0f},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(materialTime(c.t, c.controller), c.ttime) << c.t;
}

// A zero frame step leaves the clock where it is, so the frame is drawn the same again.
TEST(LidarAOStartTimeline, ZeroStepRepeatsTheFrame) {
    const ClockTick next = tick(sceneClock(SceneId::LidarAOStart), 9.25f, 0.0f);
    EXPECT_EQ(next.localTime, 9.25f);
    const TVector sway(12.0f, 5.0f, -3.0f);
    const CameraPose a = cameraAt(9.25f, sway), b = cameraAt(next.localTime, sway);
    EXPECT_EQ(a.eye.x, b.eye.x);
    EXPECT_EQ(a.target.z, b.target.z);
}
