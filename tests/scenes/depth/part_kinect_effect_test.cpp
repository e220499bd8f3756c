// The depth-camera scene's clock through its own update and render, without GL: a plain
// clock from 0 that ends once it is above 27, and the frame that ends it is not drawn.
#include "scenes/depth/part_kinect_effect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "driver/data_interface.h"

TEST(PartKinectEffect, UpdateAdvancesThePlainClock) {
    auto scene = std::make_unique<Part_KinectEffect>();
    EXPECT_EQ(scene->localTime, 0.0f);
    EXPECT_EQ(scene->frameIndex, 0);
    EXPECT_EQ(scene->frameAccumulator, 0.0f);
    Data_Interface engine;
    engine.frameDelta = 0.25f;
    engine.tuneX = 0.5f;
    engine.tuneY = -0.5f;
    scene->update(&engine);
    EXPECT_EQ(scene->engine, &engine);
    EXPECT_EQ(scene->timeStep, 0.25f);   // no scaling
    EXPECT_EQ(scene->localTime, 0.25f);
    EXPECT_EQ(scene->updateCount, 1u);
    EXPECT_EQ(scene->tuneX, 0.5f);
    EXPECT_EQ(scene->tuneY, -0.5f);
    // The recording clock belongs to render, not to update.
    EXPECT_EQ(scene->frameAccumulator, 0.0f);
}

TEST(PartKinectEffect, EndsOnceAbove27AndIsNotDrawnThen) {
    struct Case {
        float before, step;
        bool done;
    } cases[] = {
        {26.5f, 0.5f, false},   // exactly 27 is not above it
        {26.5f, 0.5f + 2e-6f, true},        // the next float above 27
        {26.9f, 0.2f, true},
    };
    for (const Case& c : cases) {
        auto scene = std::make_unique<Part_KinectEffect>();
        Data_Interface engine;   // no display: a render that drew anything would crash
        engine.frameDelta = c.step;
        scene->localTime = c.before;
        scene->update(&engine);
        EXPECT_EQ(scene->done, c.done) << c.before << " + " << c.step;
        if (c.done) {
            const float offset[3] = {0, 0, 0};
            engine.aux = -1.0f;
            scene->render(&engine, 0, offset);
            EXPECT_EQ(engine.aux, -1.0f);   // returned before writing its time
        }
    }
}
