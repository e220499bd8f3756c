// The forest scene's clock through its own update, without GL, and a render after the end
// that draws nothing.
#include "scenes/particles/part_particle_shadow_forest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "driver/data_interface.h"

TEST(PartParticleShadowForest, ClockRatesAndEnd) {
    struct Case { const char* name; float start; float delta; float step; };
    // x 1.03 x 0.935, and x 0.75 more for scene times in [15, 21).
    const float base = static_cast<float>(static_cast<float>(1.0 * 1.03) * 0.935);
    const Case cases[] = {
        {"before 15", 14.9f, 1.0f, base},
        {"at 15", 15.0f, 1.0f, static_cast<float>(base * 0.75)},
        {"just before 21", 20.99f, 0.01f, static_cast<float>(static_cast<float>(static_cast<float>(0.01f * 1.03) * 0.935) * 0.75)},
        {"at 21", 21.0f, 1.0f, base},
    };
    for (const Case& c : cases) {
        auto scene = std::make_unique<Part_ParticleShadowForest>();
        Data_Interface engine;
        engine.frameDelta = c.delta;
        scene->localTime = c.start;
        scene->update(&engine);
        EXPECT_FLOAT_EQ(scene->timeStep, c.step) << c.name;
        EXPECT_EQ(scene->localTime, c.start + scene->timeStep) << c.name;
        EXPECT_EQ(scene->updateCount, 1u);
    }
    // Done above 29.85, compared in double: 29.85f itself (29.8500004) is already above it.
    auto scene = std::make_unique<Part_ParticleShadowForest>();
    Data_Interface engine;
    engine.frameDelta = 0.0f;
    scene->localTime = std::nextafter(29.85f, 0.0f);
    scene->update(&engine);
    EXPECT_FALSE(scene->done);
    scene->localTime = 29.85f;
    scene->update(&engine);
    EXPECT_TRUE(scene->done);
}

TEST(PartParticleShadowForest, TheFrameThatEndsTheSceneIsNotDrawnByIt) {
    auto scene = std::make_unique<Part_ParticleShadowForest>();
    Data_Interface engine;   // no display: a render that drew anything would crash
    engine.frameDelta = 1.0f;
    scene->localTime = 29.5f;
    scene->update(&engine);
    ASSERT_TRUE(scene->done);
    const float offset[3] = {0, 0, 0};
    engine.aux = -1.0f;
    scene->render(&engine, 0, offset);
    EXPECT_EQ(engine.aux, -1.0f);
    EXPECT_FALSE(scene->treeClock.started);
}
