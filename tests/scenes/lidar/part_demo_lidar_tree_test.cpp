// The closing scene's clock: 0.96 of the engine's step from 0, done in the frame in which it
// passes 96.5 (after which the sequencer ends the show).
#include "scenes/lidar/part_demo_lidar_tree.h"

#include <gtest/gtest.h>

#include <memory>

#include "driver/data_interface.h"

TEST(PartDEMOLidarTree, ClockAndEnd) {
    auto scene = std::make_unique<Part_DEMOLidarTree>();
    Data_Interface engine;
    engine.frameDelta = 1.0f / 60.0f;
    engine.tuneX = 0.25f;
    EXPECT_EQ(scene->localTime, 0.0f);

    scene->update(&engine);
    EXPECT_EQ(scene->timeStep, static_cast<float>(static_cast<double>(1.0f / 60.0f) * 0.96));
    EXPECT_EQ(scene->localTime, scene->timeStep);
    EXPECT_EQ(scene->updateCount, 1u);
    EXPECT_EQ(scene->tuneX, 0.25f);
    EXPECT_EQ(scene->engine, &engine);

    int frames = 1;
    while (!scene->done) {
        scene->update(&engine);
        ++frames;
    }
    EXPECT_GT(scene->localTime, 96.5f);
    EXPECT_LT(scene->localTime - scene->timeStep, 96.5f + 1e-6f);
    EXPECT_NEAR(frames / 60.0, 96.5 / 0.96, 0.05) << "about 100.5 demo seconds";

    // A clock standing exactly at 96.5 is not past it; a zero step keeps it there.
    auto edge = std::make_unique<Part_DEMOLidarTree>();
    edge->localTime = 96.5f;
    engine.frameDelta = 0.0f;
    edge->update(&engine);
    EXPECT_FALSE(edge->done);
    engine.frameDelta = 0.001f;
    edge->update(&engine);
    EXPECT_TRUE(edge->done);
}
