#include "scenes/particles/particle_shadow_skull_timeline.h"

#include <gtest/gtest.h>

using namespace particle_shadow_skull;

// The eye circles at radius 8.5, sinking from 1.8 at 0.12 per second; each product in double,
// rounded to float (values worked out by hand from the formula).
TEST(ParticleShadowSkullTimeline, EyeCircles) {
    struct Case { const char* name; float t; float x, y, z; };
    const Case cases[] = {
        {"start", 0.0f, -0.848584056f, 1.79999995f, 8.45753574f},
        {"straight on at t = 5", 5.0f, 0.0f, 1.19999993f, 8.5f},
        {"the end", 17.45f, 2.094697f, -0.294000089f, 8.237854f},
    };
    for (const Case& c : cases) {
        const CameraPose pose = cameraAt(c.t);
        EXPECT_FLOAT_EQ(pose.eye.x, c.x) << c.name;
        EXPECT_EQ(pose.eye.y, c.y) << c.name;
        EXPECT_FLOAT_EQ(pose.eye.z, c.z) << c.name;
    }
}

// The target: up at the gathering heads at first, on the bust from t = 4, then turning
// toward the cherub behind it from t = 8; always above the eye's height and in front of it.
TEST(ParticleShadowSkullTimeline, TargetFollowsTheScript) {
    const CameraPose start = cameraAt(0.0f), settled = cameraAt(6.0f), turned = cameraAt(15.0f);
    EXPECT_EQ(start.target.x, 0.0f);
    EXPECT_GT(start.target.y - start.eye.y, settled.target.y - settled.eye.y);
    EXPECT_EQ(settled.target.x, 0.0f);
    EXPECT_EQ(settled.target.z, 0.0f);
    EXPECT_FLOAT_EQ(settled.target.y, settled.eye.y + 0.5f);
    EXPECT_FLOAT_EQ(turned.target.x, 1.1f);
    EXPECT_FLOAT_EQ(turned.target.z, -2.8f);
    // Smooth: no step between neighbouring frames anywhere in the scene.
    for (float t = 0.0f; t < 17.45f; t += 1.0f / 60.0f) {
        const CameraPose a = cameraAt(t), b = cameraAt(t + 1.0f / 60.0f);
        EXPECT_LT((b.target - a.target).length(), 0.05f) << t;
        EXPECT_LT((b.eye - a.eye).length(), 0.05f) << t;
    }
}

TEST(ParticleShadowSkullTimeline, SampleTable) {
    EXPECT_EQ(kBust.densityX * kBust.densityY, 1600.0f);
    EXPECT_EQ(kHead.densityX * kHead.densityY, 800.0f);
    EXPECT_EQ(kBust.boxMin.z, 0.0f);   // front halves only
    EXPECT_EQ(kHead.boxMin.z, 0.0f);
    EXPECT_EQ(kHead.boxMin.y, -100.0f);
    EXPECT_STREQ(kBust.path, "..//newresources//agalma3cut.objb");
    EXPECT_STREQ(kHead.path, "..//newresources/cupidhead.objb");
}
