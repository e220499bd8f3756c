#include "scenes/particles/particle_shadow_timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace particle_shadow;

TEST(ParticleShadowTimeline, WalkFrames) {
    struct Case { const char* name; float t; int a; int b; };
    const Case cases[] = {
        {"lead-in start", -4.5f, 19, 46},  // B: (int)(-157.5 + 41 + 2515) = 2398
        {"scene zero", 0.0f, 4, 36},
        {"one second", 1.0f, (2524 + 34) % 56, (2556 + 35) % 56},
        {"end", 27.0f, (2524 + 918) % 56, (2556 + 945) % 56},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crowdAFrame(c.t), c.a) << c.name;
        EXPECT_EQ(crowdBFrame(c.t), c.b) << c.name;
    }
}

TEST(ParticleShadowTimeline, WalkFramesTruncateTowardZero) {
    // 0.99 / 34 s after a frame change still shows the previous frame.
    EXPECT_EQ(crowdAFrame(0.029f), 4);
    EXPECT_EQ(crowdAFrame(0.03f), 5);
}

TEST(ParticleShadowTimeline, StatueGates) {
    EXPECT_FALSE(statueSimulates(15.0f));
    EXPECT_TRUE(statueSimulates(std::nextafter(15.0f, 16.0f)));
    EXPECT_FALSE(statueDrawn(std::nextafter(16.0f, 15.0f)));
    EXPECT_TRUE(statueDrawn(16.0f));
}

TEST(ParticleShadowTimeline, MaterialRowWindows) {
    struct Case { const char* name; int row; float t; bool drawn; };
    const float below8_1 = std::nextafter(8.1f, 0.0f);
    const Case cases[] = {
        {"row 0 before 8", 0, std::nextafter(8.0f, 0.0f), true},
        {"row 0 at 8", 0, 8.0f, false},
        {"row 1 below 8.1f", 1, below8_1, true},
        {"row 1 at 8.1f (above 8.1 in double)", 1, 8.1f, false},
        {"row 2 before 8", 2, 7.99f, false},
        {"row 2 at 8", 2, 8.0f, true},
        {"row 3 at 8", 3, 8.0f, true},
        {"row 4 at 0.2f (above 0.2 in double)", 4, 0.2f, true},
        {"row 4 just below 0.2f", 4, std::nextafter(0.2f, 0.0f), false},
        {"row 4 at 28.8f (below 28.8 in double)", 4, 28.8f, true},
        {"row 4 past 28.8f", 4, std::nextafter(28.8f, 30.0f), false},
        {"row 5 at 0", 5, 0.0f, false},
        {"row 5 just after 0", 5, 1e-6f, true},
        {"row 5 at 28.9f (below 28.9 in double)", 5, 28.9f, true},
        {"row 5 past 28.9f", 5, std::nextafter(28.9f, 30.0f), false},
        {"island rows in the lead-in", 6, -4.5f, true},
        {"island rows at the end", 9, 27.0f, true},
    };
    for (const Case& c : cases) EXPECT_EQ(materialRowDrawn(c.row, c.t), c.drawn) << c.name;

    EXPECT_EQ(kMaterialRowTable[5].object, 2.0f);
    EXPECT_EQ(kMaterialRowTable[5].refl, 1.0f);
    EXPECT_EQ(kMaterialRowTable[6].mesh, RowMesh::Island);
}

TEST(ParticleShadowTimeline, CameraSlide) {
    struct Case { const char* name; float t; TVector eye; TVector target; };
    const Case cases[] = {
        {"before the slide", 12.99f, {13, 0.5f, 0}, {0, 0.5f, 0}},
        {"slide starts", 13.0f, {8, 0.5f, -3.0f}, {0, 0.5f, -3.0f}},
        {"halfway", 14.5f, {8, 0.5f, -2.4f}, {0, 0.5f, -2.4f}},
        {"just before 16", std::nextafter(16.0f, 0.0f), {8, 0.5f, -1.8f}, {0, 0.5f, -1.8f}},
        {"back at 16", 16.0f, {13, 0.5f, 0}, {0, 0.5f, 0}},
    };
    for (const Case& c : cases) {
        const CameraPose p = cameraAt(c.t);
        EXPECT_FLOAT_EQ(p.eye.x, c.eye.x) << c.name;
        EXPECT_FLOAT_EQ(p.eye.y, c.eye.y) << c.name;
        EXPECT_NEAR(p.eye.z, c.eye.z, 1e-5f) << c.name;
        EXPECT_FLOAT_EQ(p.target.x, c.target.x) << c.name;
        EXPECT_NEAR(p.target.z, c.target.z, 1e-5f) << c.name;
    }
}

// Bit for bit the points of srand(42424) and two 15-bit rand() draws each, as the scene first
// made them; making them leaves the process-wide generator alone.
TEST(ParticleShadowTimeline, GreyPointsAreTheCLibrarySequenceAndLeaveRandAlone) {
    std::srand(42424);
    GreyPoint expected[kGreyPointCount];
    for (GreyPoint& p : expected) {
        const float r1 = static_cast<float>(std::rand() & 32767) / 32767.0f;
        const float r2 = static_cast<float>(std::rand() & 32767) / 32767.0f;
        const float height = 10.0f * r2 + 10.0f;
        p.grey = (height - 10.0f) * 0.1f;
        p.position = TVector(-20.0f, height - 3.0f, 60.0f * r1 - 30.0f);
    }
    std::srand(5);
    const int next = std::rand();
    std::srand(5);
    GreyPoint points[kGreyPointCount];
    makeGreyPoints(points);
    EXPECT_EQ(std::rand(), next);
    for (int i = 0; i < kGreyPointCount; ++i) {
        EXPECT_EQ(points[i].grey, expected[i].grey) << i;
        EXPECT_EQ(points[i].position.x, expected[i].position.x) << i;
        EXPECT_EQ(points[i].position.y, expected[i].position.y) << i;
        EXPECT_EQ(points[i].position.z, expected[i].position.z) << i;
    }
}

TEST(ParticleShadowTimeline, GreyPointsAreRepeatableAndInRange) {
    GreyPoint a[kGreyPointCount], b[kGreyPointCount];
    makeGreyPoints(a);
    std::rand();  // whatever else drew in between
    makeGreyPoints(b);
    for (int i = 0; i < kGreyPointCount; ++i) {
        EXPECT_EQ(a[i].position.z, b[i].position.z);
        EXPECT_EQ(a[i].position.x, -20.0f);
        EXPECT_GE(a[i].grey, 0.0f);
        EXPECT_LE(a[i].grey, 1.0f);
        EXPECT_NEAR(a[i].position.y, 7.0f + 10.0f * a[i].grey, 1e-4f);
        EXPECT_GE(a[i].position.z, -30.0f);
        EXPECT_LE(a[i].position.z, 30.0f);
    }
}
