#include "scenes/lidar/lidar_tree_timeline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/shaping.h"

using namespace lidar_tree;

namespace {

void expectNear(const TVector& a, const TVector& b, float tolerance, const char* name) {
    EXPECT_NEAR(a.x, b.x, tolerance) << name;
    EXPECT_NEAR(a.y, b.y, tolerance) << name;
    EXPECT_NEAR(a.z, b.z, tolerance) << name;
}

}  // namespace

TEST(LidarTreeTimeline, CameraWindows) {
    struct Case { const char* name; float t; TVector eye; TVector target; };
    const float e0 = static_cast<float>(ease(13.0 * 0.06, 3.0));
    const Case cases[] = {
        {"far above at -13", -13.0f, TVector(0, 55 * 1.2f + 2, -55), TVector(0, 2, 10)},
        {"descent at 0", 0.0f, TVector(0, (1 - e0) * 66 + 2, -(1 - e0) * 55), TVector(0, 2, 10)},
        {"landed", kLanded, TVector(0, 2, 0), TVector(0, 2, 10)},
        {"first orbit opens", 11.8f, TVector(22 * std::sin(-0.354f), 1, 22 * std::cos(-0.354f)), TVector(0, 5, 0)},
        {"first orbit late", 17.99f, TVector(22 * std::sin(-0.5397f), 1, 22 * std::cos(-0.5397f)), TVector(0, 5, 0)},
        {"second orbit", 27.0f, TVector(32 * std::sin(-0.81f), 0.8f, 32 * std::cos(-0.81f) + 7), TVector(0, 5, 7)},
    };
    for (const Case& c : cases) {
        const CameraPose pose = cameraAt(c.t);
        expectNear(pose.eye, c.eye, 2e-3f, c.name);
        expectNear(pose.target, c.target, 1e-5f, c.name);
    }
    EXPECT_EQ(passTime(-25.0f), -10.0f);
    EXPECT_EQ(passTime(3.0f), 3.0f);
}

// The windows of the shots at their edges (the orbits' compares are strict where the
// scene's are: 24.4f is below 24.4, 30.4001 is past 30.4).
TEST(LidarTreeTimeline, ShotWindows) {
    struct Case { float t; Shot shot; };
    const Case cases[] = {
        {-13.0f, Shot::Descent}, {3.66f, Shot::Descent},   {kLanded, Shot::Plaza},      {11.79f, Shot::Plaza},
        {11.8f, Shot::FirstOrbit}, {17.99f, Shot::FirstOrbit}, {18.0f, Shot::Ruins},  {24.4f, Shot::Ruins},
        {24.41f, Shot::SecondOrbit}, {30.4001f, Shot::Group}, {35.0f, Shot::Crane}, {43.61f, Shot::Mosaic},
        {54.0f, Shot::Park},       {67.21f, Shot::Statues},  {77.21f, Shot::Birds},    {96.5f, Shot::Birds},
    };
    for (const Case& c : cases) EXPECT_EQ(static_cast<int>(shotAt(c.t)), static_cast<int>(c.shot)) << c.t;
}

// Inside a shot the camera moves smoothly (no step bigger than a slow walk between frames of
// 1/30 s); the only jumps are the cuts between shots. The descent lands where the next shot
// starts, so that handover is not a cut.
TEST(LidarTreeTimeline, CameraMovesSmoothlyWithinShots) {
    const float dt = 1.0f / 30.0f;
    for (float t = -10.0f; t + dt < kEndTime; t += dt) {
        const Shot a = shotAt(t), b = shotAt(t + dt);
        // The descent's own speed is the scene's; only its landing is checked.
        const bool landing = a == Shot::Descent && b == Shot::Plaza;
        if ((a != b || a == Shot::Descent) && !landing) continue;
        const CameraPose p = cameraAt(t), q = cameraAt(t + dt);
        const TVector de = q.eye - p.eye, dt3 = q.target - p.target;
        EXPECT_LT(std::sqrt(de.x * de.x + de.y * de.y + de.z * de.z), 0.35f) << t;
        EXPECT_LT(std::sqrt(dt3.x * dt3.x + dt3.y * dt3.y + dt3.z * dt3.z), 0.35f) << t;
    }
}

// No framing returns: the middles of any two shots differ in where the camera stands or
// where it looks.
TEST(LidarTreeTimeline, EveryShotShowsSomethingNew) {
    const float middles[] = {7.7f, 14.9f, 21.2f, 27.4f, 32.7f, 39.3f, 48.8f, 60.6f, 72.2f, 86.8f};
    for (float a : middles)
        for (float b : middles) {
            if (a >= b) continue;
            const CameraPose p = cameraAt(a), q = cameraAt(b);
            TVector da = p.target - p.eye, db = q.target - q.eye;
            da.normalize();
            db.normalize();
            const TVector de = q.eye - p.eye;
            const float moved = std::sqrt(de.x * de.x + de.y * de.y + de.z * de.z);
            const float turned = std::acos(std::fmin(1.0f, da.x * db.x + da.y * db.y + da.z * db.z));
            EXPECT_TRUE(moved > 2.5f || turned > 0.35f) << a << " and " << b;
        }
}

TEST(LidarTreeTimeline, SecondCloudFraction) {
    struct Case { float t; float fraction; };
    const Case cases[] = {
        {53.0f, 0.0f}, {54.0f, 0.0f}, {54.25f, 0.5f}, {54.5f, 1.0f}, {59.0f, 1.0f}, {59.5f, 0.5f},
        {60.0f, 0.0f}, {62.0f, 0.0f}, {64.5f, 0.0f}, {65.0f, 0.5f}, {65.5f, 1.0f}, {96.0f, 1.0f},
    };
    for (const Case& c : cases) EXPECT_NEAR(secondCloudFraction(c.t), c.fraction, 1e-5f) << "t " << c.t;
}

TEST(LidarTreeTimeline, ElementGates) {
    struct Case { const char* name; bool (*gate)(float); float t; bool drawn; };
    const Case cases[] = {
        {"points before 3", bakedPointsDrawn, 3.0f, false},     {"points after 3", bakedPointsDrawn, 3.001f, true},
        {"points before 43", bakedPointsDrawn, 42.99f, true},   {"points at 43", bakedPointsDrawn, 43.0f, false},
        {"walkers early", walkersDrawn, 11.79f, true},          {"walkers leave at 11.8", walkersDrawn, 11.8f, false},
        {"walkers back at 18", walkersDrawn, 18.0f, true},      {"walkers gone at 43.4", walkersDrawn, 43.4f, false},
        {"sky cube", skyCubeDrawn, 30.399f, true},              {"sky cube gone", skyCubeDrawn, 30.4001f, false},
        {"floral not at 43.6", floralFrameDrawn, 43.6f, false}, {"floral after", floralFrameDrawn, 43.61f, true},
        {"first cloud", firstCloudDrawn, 11.79f, true},         {"first cloud gone", firstCloudDrawn, 11.8f, false},
        {"second cloud not at 54", secondCloudDrawn, 54.0f, false}, {"second cloud", secondCloudDrawn, 54.01f, true},
        {"late statues", lateStatuesDrawn, 77.51f, true},       {"late statues not yet", lateStatuesDrawn, 77.5f, false},
        {"plate", plateDrawn, 77.21f, true},                    {"plate not yet", plateDrawn, 77.2f, false},
        {"birds", birdsDrawn, 67.61f, true},                    {"birds not yet", birdsDrawn, 67.6f, false},
        {"overlay", overlayDrawn, 30.99f, true},                {"overlay stops at 31", overlayDrawn, 31.0f, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.gate(c.t), c.drawn) << c.name;
}

TEST(LidarTreeTimeline, StandingAndStatueWindows) {
    struct Case { float t; int window; };
    // NOTE: the bounds that are not whole numbers are compared in double precision, so a
    // float clock reading 24.4f (just below 24.4) is still outside the second window.
    const Case windows[] = {{11.79f, -1}, {11.8001f, 0}, {17.99f, 0}, {18.0f, -1}, {24.4f, -1}, {24.4001f, 1},
                            {30.399f, 1}, {30.4001f, 2}, {34.99f, 2}, {35.0f, -1}};
    for (const Case& c : windows) EXPECT_EQ(standingWindow(c.t), c.window) << "t " << c.t;

    int drawn = 0;
    for (int g = -1; g < 20; ++g) drawn += standingGroupDrawn(g) ? 1 : 0;
    EXPECT_EQ(drawn, 16);
    EXPECT_FALSE(standingGroupDrawn(2));
    EXPECT_FALSE(standingGroupDrawn(5));

    struct Statue { int placement; float t; bool drawn; };
    const Statue statues[] = {{0, 67.2f, false}, {0, 67.21f, true}, {0, 72.99f, true}, {0, 73.0f, false},
                              {1, 75.99f, true}, {1, 76.0f, false}, {2, 79.79f, true}, {2, 79.8f, false},
                              {3, 70.0f, false}};
    for (const Statue& s : statues) EXPECT_EQ(statueDrawn(s.placement, s.t), s.drawn) << s.placement << " at " << s.t;
}

TEST(LidarTreeTimeline, WalkFrames) {
    struct Case { float t; int a; int b; };
    const Case cases[] = {
        {0.0f, 5245 % 56, 550 % 56},
        {1.0f, 5298 % 56, 603 % 56},
        {-10.0f, 4715 % 56, 20 % 56},
        {-20.0f, 4185 % 56, 510 % 56},   // |(int)(-510)| for the second walker
    };
    for (const Case& c : cases) {
        EXPECT_EQ(walkFrameA(c.t), c.a) << "t " << c.t;
        EXPECT_EQ(walkFrameB(c.t), c.b) << "t " << c.t;
    }
}

TEST(LidarTreeTimeline, PlacementsMoveSmoothly) {
    // Every placement is a continuous function of time while its element is drawn: no jump
    // bigger than a fast walk between frames at 60 Hz, except the walkers' wraps, which
    // happen out of the picture.
    auto translation = [](const Mat4& m) { return TVector(m[12], m[13], m[14]); };
    const float dt = 1.0f / 60.0f;
    for (float t = 67.3f; t < 96.5f; t += dt) {
        for (int b = 0; b < kBirds; ++b) {
            const TVector step = translation(birdPlacement(b, t + dt)) - translation(birdPlacement(b, t));
            ASSERT_LT(step.length(), 0.5f) << "bird " << b << " at " << t;
        }
        for (int s = 0; s < kStatues; ++s) {
            if (!statueDrawn(s, t) || !statueDrawn(s, t + dt)) continue;
            const TVector step = translation(statuePlacement(s, t + dt)) - translation(statuePlacement(s, t));
            ASSERT_LT(step.length(), 0.2f) << "statue " << s << " at " << t;
        }
    }
    // A statue is under the ground when it appears and when its window closes.
    EXPECT_LT(statuePlacement(0, 67.21f)[13], -4.0f);
    EXPECT_NEAR(statuePlacement(0, 71.0f)[13], 0.0f, 1e-4f);
    EXPECT_LT(statuePlacement(0, 72.999f)[13], -4.0f);
    // The walkers are out of the picture (|x| > 10) when they wrap round.
    for (float t = 0.0f; t < 43.4f; t += dt) {
        for (int w = 0; w < 2; ++w) {
            const float x0 = walkerPlacement(w, t)[12], x1 = walkerPlacement(w, t + dt)[12];
            if (std::fabs(x1 - x0) > 1.0f) {
                EXPECT_GT(std::fabs(x0), 10.0f) << "walker " << w << " wraps at " << t;
                EXPECT_FALSE(t > 24.4f && t < 30.4f) << "walker " << w << " wraps in the second orbit";
            }
        }
    }
}

TEST(LidarTreeTimeline, PlacementIsTurnScaleMove) {
    const Mat4 m = placement(TVector(1, 2, 3), 1.5707963f, 2.0f);
    const TVector p = mat4TransformPoint(m, TVector(0, 1, 1));   // +z turns onto +x
    EXPECT_NEAR(p.x, 1 + 2, 1e-5f);
    EXPECT_NEAR(p.y, 2 + 2, 1e-5f);
    EXPECT_NEAR(p.z, 3, 1e-5f);
}
