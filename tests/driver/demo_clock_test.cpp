#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>
#include <limits>

#include "driver/data_interface.h"
#include "driver/demo_clock.h"
#include "driver/part.h"
#include "driver/scene_clock.h"
#include "driver/scene_table.h"
#include "scenes/placeholder_scene.h"

namespace {

TEST(DemoClock, LockFactor) {
    struct Case {
        const char* name;
        double demoTime;
        float musicTime;
        float k;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"in step", 10.0, 10.0f, 1.0f},
        {"1 s ahead", 11.0, 10.0f, 0.7f},
        {"1 s behind", 9.0, 10.0f, 1.4f},
        {"0.1 s ahead", 10.1, 10.0f, 0.96f},
        {"3 s behind: clamped", 7.0, 10.0f, demo_clock::kMaxRate},
        {"3 s ahead: clamped", 13.0, 10.0f, 0.7f},
        {"no music (infinite position)", 5.0, inf, demo_clock::kMaxRate},
        {"no music at byte 0 (not a number)", 5.0, std::nanf(""), demo_clock::kMaxRate},
    };
    for (const Case& c : cases) EXPECT_FLOAT_EQ(demo_clock::lockFactor(c.demoTime, c.musicTime), c.k) << c.name;
    EXPECT_EQ(demo_clock::kMaxRate, static_cast<float>(1.4285714285714286));
    // The drift is rounded to float first, the product taken in double and rounded to float.
    EXPECT_EQ(demo_clock::lockFactor(9.0, 10.0f), static_cast<float>(1.0 - 0.4 * -1.0));
}

TEST(DemoClock, StallRule) {
    struct Case {
        float dt;
        float expected;
    };
    const Case cases[] = {{1.5f, 0.0f}, {1.0f, 1.0f}, {1.0000001f, 0.0f}, {0.016f, 0.016f}, {0.0f, 0.0f}};
    for (const Case& c : cases) EXPECT_EQ(demo_clock::limitStep(c.dt), c.expected) << c.dt;
}

// The real-time clock and the sequencer, with placeholder scenes (each runs its slot's clock),
// over a run of frames that each take `frame` seconds of wall time, with the music playing from
// the first step (its position is the wall time). Returns the wall time of the step in which
// the last scene is done, or a negative time when the show did not end within `limit` seconds;
// `worstDrift` gets the largest |demo - music|, as the clock step sees it, after the first
// `settle` seconds. Scenes that fell behind the demo clock would end the show late.
struct ShowRun {
    double end = -1.0;
    double worstDrift = 0.0;
};
ShowRun playShow(double frame, double limit, double settle) {
    Data_Interface engine;
    std::vector<std::unique_ptr<PlaceholderScene>> owned;
    for (int slot = 0; slot < scene_table::kSlots; ++slot) {
        owned.push_back(std::make_unique<PlaceholderScene>(slot));
        engine.scenes[slot] = owned.back().get();
    }
    demo_clock::StepLimiter limiter;
    double demoTime = 0.0;
    double wall = 0.0;
    ShowRun run;
    float measured = 0.0f;  // the first step measures from the end of loading
    for (; wall <= limit; wall += frame, measured = static_cast<float>(frame)) {
        // The lock pulls the demo clock, as it stands when the music is read, onto the music.
        if (wall >= settle) run.worstDrift = std::max(run.worstDrift, std::abs(demoTime - wall));
        engine.frameDelta = demo_clock::realTimeStep(limiter, measured, demoTime, static_cast<float>(wall));
        demoTime += engine.frameDelta;
        scene_table::updateActive(engine.scenes, engine);
        if (engine.scenes[scene_table::kLastSlot]->done) {
            run.end = wall;
            return run;
        }
    }
    return run;
}

TEST(DemoClock, SlowFramesFollowTheMusicToTheEnd) {
    const ShowRun steady = playShow(1.0 / 60.0, 3600.0, 0.0);
    ASSERT_GT(steady.end, 60.0);
    EXPECT_LT(steady.worstDrift, 0.05);
    for (double frame : {1.5, 3.0, 3.2}) {
        const ShowRun run = playShow(frame, 3600.0, 8.0 * frame);
        ASSERT_GT(run.end, 0.0) << frame << " s frames: the show never ends";
        // The pictures skip ahead but stay on the music, and the show ends with it: no cut
        // loses the rest of its step.
        EXPECT_LT(run.worstDrift, 0.5 * frame) << frame;
        EXPECT_NEAR(run.end, steady.end, 1.5 * frame) << frame;
    }
}

TEST(DemoClock, LoneStallIsStillDropped) {
    demo_clock::StepLimiter limiter;
    struct Step {
        float measured;
        float kept;
    };
    const Step steps[] = {
        {2.0f, 0.0f},      // the first step: dropped
        {0.016f, 0.016f},  // fast frames pass
        {2.0f, 0.0f},      // a lone stall between fast frames: dropped
        {0.016f, 0.016f},
        {1.0f, 1.0f},      // exactly one second is not a stall
        {1.5f, 0.0f},      // the first of a run of slow frames: dropped, as a stall would be
        {1.5f, 1.5f},      // the rest of the run is kept
        {3.0f, 3.0f},
        {0.016f, 0.016f},
        {3.0f, 0.0f},      // a new run starts with a drop again
    };
    for (const Step& s : steps) EXPECT_EQ(limiter.limit(s.measured), s.kept) << s.measured;
    // In step with the music the real-time step is the measured one.
    demo_clock::StepLimiter fresh;
    EXPECT_FLOAT_EQ(demo_clock::realTimeStep(fresh, 0.016f, 10.0, 10.0f), 0.016f);
}

}  // namespace
