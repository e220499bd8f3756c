#include "scenes/particles/particle_shadow_boat_timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/shaping.h"
#include "driver/scene_clock.h"

using namespace boat;

namespace {

float distance(const TVector& a, const TVector& b) { return (a - b).length(); }

float roundedStep(float dt) {
    float s = static_cast<float>(static_cast<double>(dt) * 1.1);
    s = static_cast<float>(static_cast<double>(s) * 0.978);
    s = static_cast<float>(static_cast<double>(s) * 1.033);
    return static_cast<float>(static_cast<double>(s) * 1.002);
}

}  // namespace

TEST(BoatTimeline, Clock) {
    const SceneClock& clock = sceneClock(SceneId::Boat);
    EXPECT_STREQ(clock.name, "Part_ParticleShadowBoat");
    EXPECT_EQ(clock.start, kStartTime);
    EXPECT_EQ(kStartTime, -2.0f);
    struct Case { const char* name; float t; float dt; float step; bool done; };
    const Case cases[] = {
        {"start", -2.0f, 1.0f / 60.0f, roundedStep(1.0f / 60.0f), false},
        {"one second", 10.0f, 1.0f, roundedStep(1.0f), false},
        {"a zero step stands still at the end", 71.0f, 0.0f, 0.0f, false},
        {"just below the end", 70.9f, 0.05f, roundedStep(0.05f), false},
        {"passing the end", 70.99f, 0.02f, roundedStep(0.02f), true},
    };
    for (const Case& c : cases) {
        const ClockTick tk = tick(clock, c.t, c.dt);
        EXPECT_EQ(tk.timeStep, c.step) << c.name;
        EXPECT_EQ(tk.localTime, c.t + c.step) << c.name;
        EXPECT_EQ(tk.done, c.done) << c.name;
    }
    EXPECT_NEAR(roundedStep(1.0f), 1.1 * 0.978 * 1.033 * 1.002, 1e-6);
}

TEST(BoatTimeline, HeadsReplaceTheBoatFrom35Inclusive) {
    EXPECT_FALSE(headsActive(34.999f));
    EXPECT_FALSE(headsActive(std::nextafter(35.0f, 0.0f)));
    EXPECT_TRUE(headsActive(35.0f));
    EXPECT_TRUE(headsActive(70.0f));
    EXPECT_FALSE(headsActive(kStartTime));
}

TEST(BoatTimeline, SampleSets) {
    struct Case { SampleSet set; const char* path; int grid; float dy; float boxMinY; };
    const Case cases[] = {
        {kSceneSet, "..//newresources/sceneboat.objb", 2560, 415.0f, 0.0f},
        {kCarSet, "..//newresources/gto.objb", 2560, 2225.0f, -1.0f},
        {kHeadsSet, "..//newresources///headsgarbled.objb", 2560, 261.0f, 0.0f},
        {kEyesSet, "..//newresources//eyes.objb", 512, 13004.0f, -10000.0f},
    };
    for (const Case& c : cases) {
        const SampleSetDesc& s = kSampleSetDescs[c.set];
        EXPECT_EQ(std::string(s.path), c.path);
        EXPECT_EQ(s.grid, c.grid) << c.path;
        EXPECT_EQ(s.densityX, 1.0f) << c.path;
        EXPECT_EQ(s.densityY, c.dy) << c.path;
        EXPECT_EQ(s.boxMin.x, -1000.0f);
        EXPECT_EQ(s.boxMin.y, c.boxMinY) << c.path;
        EXPECT_EQ(s.boxMin.z, -1000.0f);
        EXPECT_EQ(s.boxMax.x, 10000.0f);
        EXPECT_EQ(s.boxMax.y, 1000.0f);
        EXPECT_EQ(s.boxMax.z, 1000.0f);
    }
    EXPECT_EQ(kUploadOrder[0], kSceneSet);
    EXPECT_EQ(kUploadOrder[1], kHeadsSet);
    EXPECT_EQ(kUploadOrder[2], kCarSet);
    EXPECT_EQ(kUploadOrder[3], kEyesSet);
    EXPECT_FLOAT_EQ(6 * kWeightLoadStep + kWeightBeforeUploads + 4 * kWeightPerUpload, kTotalLoadWeight);
}

TEST(BoatTimeline, OpeningShotFollowsTheScript) {
    for (float t : {-2.0f, 0.0f, 3.0f, 5.9f}) {
        const CameraShot s = cameraShot(t);
        EXPECT_EQ(s.window, 0);
        EXPECT_NEAR(s.eye.x, 14.0f - 0.3f * t, 1e-5f);
        EXPECT_EQ(s.eye.y, 2.0f);
        EXPECT_NEAR(s.eye.z, 1.4f, 1e-6f);
        EXPECT_EQ(s.target.x, 0.0f);
        EXPECT_EQ(s.target.y, 1.0f);
        EXPECT_NEAR(s.target.z, 1.4f, 1e-6f);
        EXPECT_EQ(s.fov, 45.0f);
    }
}

TEST(BoatTimeline, CameraCutsOnlyAtItsWindows) {
    const float starts[] = {6.0f, 9.0f, 14.0f, 17.0f, 20.7f, 32.5f, 35.0f, 37.5f, 39.5f, 41.5f, 43.0f, 44.5f, 67.0f};
    for (int i = 0; i < 13; ++i) {
        const float s = starts[i];
        EXPECT_EQ(kCameraWindowStarts[i + 1], s);
        EXPECT_EQ(cameraShot(std::nextafter(s, 0.0f)).window, i) << "before " << s;
        EXPECT_EQ(cameraShot(s).window, i + 1) << "at " << s;
        // A real cut: the eye or the target moves at the window's edge.
        const CameraShot a = cameraShot(std::nextafter(s, 0.0f));
        const CameraShot b = cameraShot(s);
        EXPECT_GT(distance(a.eye, b.eye) + distance(a.target, b.target), 0.5f) << "cut at " << s;
    }
    // Within a window the camera glides: at 120 frames a second nothing moves by more than a
    // few centimetres from one frame to the next.
    const float dt = 1.0f / 120.0f;
    for (float t = -2.0f; t < 71.0f; t += dt) {
        const CameraShot a = cameraShot(t);
        const CameraShot b = cameraShot(t + dt);
        if (a.window != b.window) continue;
        ASSERT_LT(distance(a.eye, b.eye), 0.05f) << "eye at " << t;
        ASSERT_LT(distance(a.target, b.target), 0.05f) << "target at " << t;
        ASSERT_LT(std::fabs(a.fov - b.fov), 0.2f) << "fov at " << t;
    }
}

TEST(BoatTimeline, FieldOfView) {
    struct Case { const char* name; float t; double fov; };
    const Case cases[] = {
        {"start", -2.0f, 45.0},
        {"just before the zoom", std::nextafter(41.5f, 0.0f), 45.0},
        {"the zoom starts narrow", 41.5f, 28.0},
        {"half way", 43.5f, 28.0 + 18.0 * ease(0.5, 3.0)},
        {"open", 45.5f, 46.0},
        {"the end's ramp starts", 68.6f, 46.0},
        {"end", 71.0f, 46.0 - 5.0 * ramp(71.0 - 68.6)},
    };
    for (const Case& c : cases) EXPECT_NEAR(fieldOfView(c.t), c.fov, 1e-4) << c.name;
    EXPECT_LT(fieldOfView(71.0f), 40.0f);
}

TEST(BoatTimeline, SwayWeights) {
    struct Case { float t; double w; };
    const Case cases[] = {
        {-2.0f, 0.00006786}, {std::nextafter(35.0f, 0.0f), 0.00006786}, {35.0f, 0.00084825},
        {std::nextafter(43.0f, 0.0f), 0.00084825}, {43.0f, 0.00027144}, {71.0f, 0.00027144},
    };
    for (const Case& c : cases) EXPECT_EQ(swayWeight(c.t), c.w) << c.t;
}

TEST(BoatTimeline, LayerGates) {
    struct Case { Layer layer; float t; bool drawn; };
    const Case cases[] = {
        {Layer::Ripples, std::nextafter(6.0f, 0.0f), false}, {Layer::Ripples, 6.0f, true},
        {Layer::Ripples, std::nextafter(9.0f, 0.0f), true},  {Layer::Ripples, 9.0f, false},
        {Layer::Wake, 9.0f, true},                           {Layer::Wake, 14.0f, false},
        {Layer::DipToBlack, std::nextafter(20.0f, 0.0f), false}, {Layer::DipToBlack, 20.0f, true},
        {Layer::DipToBlack, 20.7f, false},                   {Layer::Ripples, 20.7f, true},
        {Layer::Ripples, 27.0f, false},                      {Layer::FadeIn, std::nextafter(35.0f, 0.0f), false},
        {Layer::FadeIn, 35.0f, true},                        {Layer::FadeIn, 37.5f, false},
        {Layer::Embers, 37.5f, true},                        {Layer::Embers, 41.5f, false},
        {Layer::MoonRays, 41.5f, true},                      {Layer::MoonRays, 43.0f, false},
        {Layer::GazeLines, 43.0f, true},                     {Layer::GazeLines, 44.5f, false},
        {Layer::MoonRays, 44.5f, true},                      {Layer::MoonRays, 51.0f, false},
        {Layer::Embers, 51.0f, true},                        {Layer::Embers, std::nextafter(55.0f, 0.0f), true},
        {Layer::Embers, 55.0f, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layerDrawn(c.layer, c.t), c.drawn) << static_cast<int>(c.layer) << " at " << c.t;
    }
    EXPECT_FLOAT_EQ(layerProgress(Layer::DipToBlack, 20.35f), 0.5f);
    EXPECT_EQ(layerProgress(Layer::DipToBlack, 21.0f), 0.0f);
}

TEST(BoatTimeline, IslandHeight) {
    EXPECT_NEAR(islandHeight(kIslandCentre.x, kIslandCentre.z), 1.46f, 1e-5f);
    EXPECT_NEAR(islandHeight(kIslandCentre.x + 12.0f, kIslandCentre.z), -0.24f, 1e-5f);
    EXPECT_GT(islandHeight(kIslandCentre.x + 5.0f, kIslandCentre.z + 3.0f), 0.9f);
}
