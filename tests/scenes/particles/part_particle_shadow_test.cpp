// The scene's clock through its own update and render, without GL: the frame whose update
// lifts the clock past 27 is not drawn by this scene.
#include "scenes/particles/part_particle_shadow.h"

#include <gtest/gtest.h>

#include "driver/scene_clock.h"

#include <memory>

#include "driver/data_interface.h"

TEST(PartParticleShadow, UpdateAdvancesTheClockAndCopiesTheTuning) {
    auto scene = std::make_unique<Part_ParticleShadow>();
    Data_Interface engine;
    engine.frameDelta = 0.5f;
    engine.tuneX = 0.25f;
    engine.tuneY = -0.5f;
    scene->localTime = sceneClock(SceneId::ParticleShadow).start;

    scene->update(&engine);
    EXPECT_EQ(scene->engine, &engine);
    EXPECT_EQ(scene->updateCount, 1u);
    EXPECT_FLOAT_EQ(scene->timeStep, 0.5f * 0.9785f);
    EXPECT_FLOAT_EQ(scene->localTime, -4.5f + 0.5f * 0.9785f);
    EXPECT_EQ(scene->tuneX, 0.25f);
    EXPECT_EQ(scene->tuneY, -0.5f);

    engine.frameDelta = 0.0f;   // a stalled clock stands still
    const float before = scene->localTime;
    scene->update(&engine);
    EXPECT_EQ(scene->localTime, before);
    EXPECT_EQ(scene->timeStep, 0.0f);
    EXPECT_EQ(scene->updateCount, 2u);
}

TEST(PartParticleShadow, TheFrameThatEndsTheSceneIsNotDrawnByIt) {
    auto scene = std::make_unique<Part_ParticleShadow>();
    Data_Interface engine;   // no display: a render that drew anything would crash
    engine.frameDelta = 0.1f;
    scene->localTime = 26.9f;
    scene->update(&engine);
    EXPECT_FALSE(scene->done);
    scene->update(&engine);
    ASSERT_TRUE(scene->done);
    EXPECT_GT(scene->localTime, 27.0f);

    const float offset[3] = {0, 0, 0};
    engine.aux = -1.0f;
    scene->render(&engine, 0, offset);
    EXPECT_EQ(engine.aux, -1.0f);   // returned before writing its time
}
