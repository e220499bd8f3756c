#include "scenes/lidar/lidar_ao_timeline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "driver/scene_clock.h"
#include "gpu/sky_cube.h"

using namespace lidar_ao;

namespace {

float below(float t) { return std::nextafter(t, -1e9f); }
float above(float t) { return std::nextafter(t, 1e9f); }

float distance(const TVector& a, const TVector& b) { return (a - b).length(); }

}  // namespace

// The clock: x 1.2 while below 15, x 1.03 x 0.988 always, x 1.05 past 24; done when the new
// time passes 55.8 in double (55.8f itself lies below 55.8).
TEST(LidarAOTimeline, ClockEdges) {
    const SceneClock& clock = sceneClock(SceneId::LidarAO);
    EXPECT_EQ(clock.start, kStartTime);
    auto step = [&](float t) { return tick(clock, t, 1.0f).timeStep; };
    const float base = static_cast<float>(static_cast<float>(1.0 * 1.03) * 0.988);
    EXPECT_EQ(step(below(15.0f)), static_cast<float>(static_cast<float>(static_cast<float>(1.2) * 1.03) * 0.988));
    EXPECT_EQ(step(15.0f), base);
    EXPECT_EQ(step(24.0f), base);
    EXPECT_EQ(step(above(24.0f)), static_cast<float>(static_cast<double>(base) * 1.05));

    EXPECT_FALSE(tick(clock, 55.8f, 0.0f).done);           // 55.799999... is not past 55.8
    EXPECT_TRUE(tick(clock, above(55.8f), 0.0f).done);     // 55.800003 is
}

TEST(LidarAOTimeline, StatueGates) {
    struct Case { float t; bool steps; bool drawn; };
    const Case cases[] = {
        {kStartTime, true, false}, {below(0.6f), true, false}, {0.6f, false, false},
        {20.0f, false, false},     {31.0f, false, false},      {above(31.0f), true, false},
        {32.0f, true, false},      {above(32.0f), true, true}, {55.0f, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(particleStepRuns(c.t), c.steps) << c.t;
        EXPECT_EQ(statueDrawn(c.t), c.drawn) << c.t;
    }
}

TEST(LidarAOTimeline, FogAndSkyGates) {
    struct Case { float t; bool fog; bool sky; };
    const Case cases[] = {
        {below(27.0f), false, false}, {27.0f, true, false},  {below(47.55f), true, false},
        {47.55f, true, true},         {below(51.2f), true, true}, {51.2f, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fogShown(c.t), c.fog) << c.t;
        EXPECT_EQ(skyShown(c.t), c.sky) << c.t;
    }
    EXPECT_EQ(fogSliceHeight(0), 0.0f);
    EXPECT_FLOAT_EQ(fogSliceHeight(39), 39.0f * 0.015f / 40.0f);
}

// The spline passes through its seven points and loops every 7, smoothly across the
// parameter ranges where the closed curve shifts its parameter (below 2 and above 5).
TEST(LidarAOTimeline, SplineLoopsThroughItsPoints) {
    const PathCurve& curve = splineCurve();
    ASSERT_EQ(curve.count(), 7);
    EXPECT_TRUE(curve.closed);
    const float xz[7][2] = {{0.0242f, -0.0304f}, {0.0171f, -0.0288f}, {0.002f, -0.0212f}, {-0.0086f, -0.0073f},
                            {-0.0161f, 0.016f},  {0.0027f, 0.0021f},  {0.0161f, -0.0104f}};
    for (int i = 0; i < 7; ++i) {
        const TVector p = splineAt(static_cast<float>(i));
        EXPECT_FLOAT_EQ(p.x, xz[i][0]) << i;
        EXPECT_FLOAT_EQ(p.y, 0.003f) << i;
        EXPECT_FLOAT_EQ(p.z, xz[i][1]) << i;
    }
    for (float s = 0.0f; s < 7.0f; s += 0.37f) EXPECT_LT(distance(splineAt(s), splineAt(s + 7.0f)), 1e-6f) << s;
    TVector previous = splineAt(0.0f);
    for (int i = 1; i <= 7 * 1000; ++i) {
        const TVector p = splineAt(static_cast<float>(i) / 1000.0f);
        ASSERT_LT(distance(p, previous), 0.0001f) << "s " << static_cast<float>(i) / 1000.0f;
        ASSERT_GT(distance(p, previous), 0.0f) << "s " << static_cast<float>(i) / 1000.0f;
        previous = p;
    }
}

TEST(LidarAOTimeline, ShotWindows) {
    struct Case { float t; Shot shot; float fov; float upX; };
    const Case cases[] = {
        {kStartTime, Shot::Spline, 35.0f, 0.2f},      {below(17.0f), Shot::Spline, 35.0f, 0.2f},
        {17.0f, Shot::Spline, 35.0f, 0.0f},           {above(17.0f), Shot::DollyIn, 35.0f, 0.0f},
        {below(22.2f), Shot::DollyIn, 35.0f, 0.0f},   {22.2f, Shot::DollyRuins, 35.0f, 0.0f},
        {27.0f, Shot::Orbit, 35.0f, 0.0f},            {44.0f, Shot::OrbitRise, 35.0f, 0.0f},
        {47.55f, Shot::CloseOrbit, 35.0f, 0.0f},      {48.8f, Shot::CloseUp, 26.0f, 0.0f},
        {below(50.0f), Shot::CloseUp, 26.0f, 0.0f},   {50.0f, Shot::CloseOrbit, 35.0f, 0.0f},
        {55.8f, Shot::CloseOrbit, 35.0f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shotAt(c.t), c.shot) << c.t;
        EXPECT_EQ(fieldOfView(c.t), c.fov) << c.t;
        EXPECT_EQ(upAt(c.t).x, c.upX) << c.t;
    }
}

// Within a shot the camera moves smoothly (the shake left out), the rise from 44 and the
// breath after the close-up included; at the shots' edges it may cut.
TEST(LidarAOTimeline, NoJumpInsideAShot) {
    const TVector still(0.0f, 0.0f, 0.0f);
    CameraPose previous = cameraAt(kStartTime, still);
    float last = kStartTime;
    for (int i = 49; i <= 56 * 120; ++i) {
        const float t = static_cast<float>(i) / 120.0f;
        const CameraPose pose = cameraAt(t, still);
        if (shotAt(t) == shotAt(last) && !(last < 44.0f && t >= 44.0f) && !(last < 50.0f && t >= 50.0f)) {
            ASSERT_LT(distance(pose.eye, previous.eye), 0.00007f) << "t " << t;
            ASSERT_LT(distance(pose.target, previous.target), 0.00008f) << "t " << t;
        }
        previous = pose;
        last = t;
    }
    // The rise from 44 starts at zero, so the orbit does not jump there.
    EXPECT_LT(distance(cameraAt(44.0f, still).eye, cameraAt(below(44.0f), still).eye), 1e-6f);
}

TEST(LidarAOTimeline, SplineShotAsGiven) {
    const TVector still(0.0f, 0.0f, 0.0f);
    const float t = 5.0f;
    const float s = t * 0.17f + 0.3f;
    const CameraPose pose = cameraAt(t, still);
    EXPECT_FLOAT_EQ(pose.eye.x, splineAt(s).x);
    EXPECT_FLOAT_EQ(pose.eye.z, splineAt(s).z + 0.0027f);
    EXPECT_FLOAT_EQ(pose.target.x, splineAt(s + 0.25f).x);
    EXPECT_FLOAT_EQ(pose.target.y, 0.0028f);
    EXPECT_FLOAT_EQ(cameraAt(0.0f, still).eye.y, 0.024f);
    EXPECT_NEAR(cameraAt(12.0f, still).eye.y, 0.006f, 1e-7f);
}

TEST(LidarAOTimeline, ShakeAmplitude) {
    struct Case { float t; float amplitude; };
    const Case cases[] = {
        {10.0f, 1.6965e-07f * 0.7f},
        {20.0f, 6.786e-07f * 0.7f},   // the eased growth starts at 37
        {45.0f, (0.35f * 0.01f * 0.0003393f + 6.786e-07f) * 0.7f},
        {49.0f, (0.35f * 0.01f * 0.0003393f + 6.786e-07f) * 0.7f * 0.1f},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(shakeAmplitude(c.t), c.amplitude) << c.t;
    const TVector sway(100.0f, 50.0f, -80.0f);
    const CameraPose shaken = cameraAt(30.0f, sway), calm = cameraAt(30.0f, TVector());
    EXPECT_NEAR(shaken.eye.x - calm.eye.x, 100.0f * shakeAmplitude(30.0f), 1e-9f);
    EXPECT_NEAR(shaken.target.z - calm.target.z, -80.0f * shakeAmplitude(30.0f), 1e-9f);
}

// The sky cube the scene draws: half-size 0.034, the middle column of the cross holding
// z = -h, y = +h and z = +h from the top of the picture down.
TEST(LidarAOTimeline, SkyCubeMiddleColumn) {
    SkyQuad quads[6];
    skyCubeQuads(kSkyHalfSize, quads);
    struct Face { char axis; float value; float v0, v1; };
    const Face faces[] = {{'z', -kSkyHalfSize, 0.0f, 0.3333f}, {'y', kSkyHalfSize, 0.3333f, 0.6666f},
                          {'z', kSkyHalfSize, 0.6666f, 1.0f}};
    for (const Face& f : faces) {
        int found = 0;
        for (const SkyQuad& q : quads) {
            const float* a = f.axis == 'y' ? q.y : q.z;
            bool match = true;
            for (int k = 0; k < 4; ++k)
                match = match && a[k] == f.value && q.u[k] >= 0.25f && q.u[k] <= 0.5f && q.v[k] >= f.v0 && q.v[k] <= f.v1;
            found += match;
        }
        EXPECT_EQ(found, 1) << f.axis << " = " << f.value;
    }
}

TEST(LidarAOTimeline, ZeroStepRepeatsTheFrame) {
    const ClockTick next = tick(sceneClock(SceneId::LidarAO), 40.5f, 0.0f);
    EXPECT_EQ(next.localTime, 40.5f);
    EXPECT_EQ(next.timeStep, 0.0f);
    const TVector sway(7.0f, 8.0f, 9.0f);
    const CameraPose a = cameraAt(40.5f, sway), b = cameraAt(next.localTime, sway);
    EXPECT_EQ(a.eye.x, b.eye.x);
    EXPECT_EQ(a.target.y, b.target.y);
}
