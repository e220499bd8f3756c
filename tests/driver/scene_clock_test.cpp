#include "driver/scene_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "driver/data_interface.h"
#include "driver/part.h"

namespace {

// The step a one-second frame becomes: each factor applied in turn, each product rounded.
float chain(std::initializer_list<double> factors) {
    float step = 1.0f;
    for (double f : factors) step = static_cast<float>(static_cast<double>(step) * f);
    return step;
}

struct StepCase {
    SceneId scene;
    float before;   // the clock before the advance
    float step;     // what a 1 s frame becomes
};

// Every rate, and every windowed factor on both sides of each edge of its window.
const StepCase kSteps[] = {
    {SceneId::KinectEffect, 0.0f, 1.0f},
    {SceneId::Boat, -2.0f, chain({1.1, 0.978, 1.033, 1.002})},
    {SceneId::Forest, 14.99f, chain({1.03, 0.935})},
    {SceneId::Forest, 15.0f, chain({1.03, 0.935, 0.75})},
    {SceneId::Forest, 20.99f, chain({1.03, 0.935, 0.75})},
    {SceneId::Forest, 21.0f, chain({1.03, 0.935})},
    {SceneId::Rainbow, 14.99f, chain({0.95, 1.1, 1.033, 1.05})},
    {SceneId::Rainbow, 15.0f, chain({0.95, 1.1, 1.033})},
    {SceneId::ParticleShadow, 12.0f, chain({0.95, 1.03})},
    {SceneId::ParticleShadow, 12.001f, chain({0.95, 1.03, 0.95})},
    {SceneId::Fallers, 19.99f, chain({1.1, 1.05, 0.91489})},
    {SceneId::Fallers, 20.0f, chain({1.1, 0.91489})},
    {SceneId::Skull, 0.0f, chain({1.1, 0.94})},
    {SceneId::LidarAOStart, 3.0f, chain({1.03})},
    {SceneId::LidarAOStart, 3.001f, chain({1.03, 1.085})},
    {SceneId::LidarAO, 14.99f, chain({1.2, 1.03, 0.988})},
    {SceneId::LidarAO, 15.0f, chain({1.03, 0.988})},
    {SceneId::LidarAO, 24.0f, chain({1.03, 0.988})},
    {SceneId::LidarAO, 24.001f, chain({1.03, 0.988, 1.05})},
    {SceneId::DEMOLidarTree, 50.0f, chain({0.96})},
};

TEST(SceneClock, RatesAndWindows) {
    for (const StepCase& c : kSteps) {
        const SceneClock& clock = sceneClock(c.scene);
        SCOPED_TRACE(std::string(clock.name) + " at " + std::to_string(c.before));
        const ClockTick t = tick(clock, c.before, 1.0f);
        EXPECT_EQ(t.timeStep, c.step);
        EXPECT_EQ(t.localTime, c.before + c.step);
    }
}

struct EndCase {
    SceneId scene;
    float start;
    float last;   // the last clock value that is not done
};

// Start values, and the end compare: in float for some scenes, in double for the others
// (29.85f lies above 29.85, so in double the forest is done there already).
TEST(SceneClock, StartsAndEnds) {
    const EndCase cases[] = {
        {SceneId::KinectEffect, 0.0f, 27.0f},      {SceneId::Boat, -2.0f, 71.0f},
        {SceneId::Forest, 0.3f, 29.849998f},        {SceneId::Rainbow, 0.0f, 33.199997f},
        {SceneId::ParticleShadow, -4.5f, 27.0f},    {SceneId::Fallers, 0.0f, 19.0f},
        {SceneId::Skull, 0.0f, 17.449999f},         {SceneId::LidarAOStart, 0.0f, 35.5f},
        {SceneId::LidarAO, 0.4f, 55.799999f},       {SceneId::DEMOLidarTree, 0.0f, 96.5f},
    };
    ASSERT_EQ(sceneClocks().size(), std::size(cases));
    for (const EndCase& c : cases) {
        const SceneClock& clock = sceneClock(c.scene);
        SCOPED_TRACE(clock.name);
        EXPECT_EQ(clock.start, c.start);
        EXPECT_FALSE(tick(clock, c.last, 0.0f).done);
        EXPECT_TRUE(tick(clock, std::nextafter(c.last, 1e9f), 0.0f).done);
    }
}

TEST(SceneClock, FindsClocksByClassName) {
    for (int i = 0; i < kSceneCount; ++i)
        EXPECT_EQ(findSceneClock(sceneClocks()[i].name), &sceneClocks()[i]);
    EXPECT_EQ(findSceneClock("Part_Nothing"), nullptr);
    EXPECT_EQ(findSceneClock(nullptr), nullptr);
}

struct Probe : Part {
    void render(Data_Interface*, int, const float*) override {}
    void update(Data_Interface*) override {}
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override {}
    void finishLoad() override {}
};

// The update slot: engine, step, tuning values and the count, then the advance.
TEST(SceneClock, UpdateSlotFillsThePartsFields) {
    Data_Interface engine;
    engine.frameDelta = 0.5f;
    engine.tuneX = 3.0f;
    engine.tuneY = 4.0f;
    Probe scene;
    scene.localTime = 70.9f;
    updateSceneClock(scene, &engine, SceneId::Boat);
    EXPECT_EQ(scene.engine, &engine);
    EXPECT_EQ(scene.tuneX, 3.0f);
    EXPECT_EQ(scene.tuneY, 4.0f);
    EXPECT_EQ(scene.updateCount, 1u);
    EXPECT_EQ(scene.timeStep, static_cast<float>(0.5 * chain({1.1, 0.978, 1.033, 1.002})));
    EXPECT_EQ(scene.localTime, 70.9f + scene.timeStep);
    EXPECT_TRUE(scene.done);
}

}  // namespace
