// The depth-camera scene's script without GL: the recording clock, the gates at their edges,
// the recording's file names and the loading-screen weights.
#include "scenes/depth/kinect_effect_timeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kinect_effect;

namespace {

// Calls of the recording clock at a fixed step; the calls (1-based) on which a frame advanced.
std::vector<int> advancingCalls(float step, int calls, int count, int& index) {
    std::vector<int> at;
    float accumulator = 0.0f;
    for (int call = 1; call <= calls; ++call) {
        const RecordingStep s = stepRecording(index, accumulator, step, count);
        index = s.index;
        accumulator = s.accumulator;
        if (s.advanced) at.push_back(call);
    }
    return at;
}

}  // namespace

TEST(KinectEffectRecordingClock, SixtyFramesASecondAdvanceEveryThirdOrFourthCall) {
    int index = 0;
    const std::vector<int> at = advancingCalls(1.0f / 60.0f, 600, 465, index);
    // 18 recording frames a second for ten seconds, give or take the last one.
    EXPECT_GE(at.size(), 179u);
    EXPECT_LE(at.size(), 180u);
    for (size_t k = 1; k < at.size(); ++k) {
        const int gap = at[k] - at[k - 1];
        EXPECT_TRUE(gap == 3 || gap == 4) << "gap " << gap << " before call " << at[k];
    }
    EXPECT_EQ(index, static_cast<int>(at.size()) % 465);
}

TEST(KinectEffectRecordingClock, EveryRateReachesTheSameFrameAtTheSameSceneTime) {
    // A slow machine or a preview at 2 steps a second still shows the recording frame that is
    // due: the clock passes every frame that fell due during a long step.
    struct Case {
        int stepsPerSecond;
        int decodes;  // calls that decode a frame in ten seconds
    } cases[] = {{2, 20}, {18, 180}, {30, 180}, {60, 180}};
    for (const Case& c : cases) {
        int index = 0;
        const std::vector<int> at = advancingCalls(1.0f / static_cast<float>(c.stepsPerSecond),
                                                   10 * c.stepsPerSecond, 465, index);
        // 18 recording frames a second for ten seconds, give or take the last one.
        EXPECT_GE(index, 179) << c.stepsPerSecond;
        EXPECT_LE(index, 180) << c.stepsPerSecond;
        // Only the last frame of a step is decoded.
        EXPECT_GE(static_cast<int>(at.size()), c.decodes - 1) << c.stepsPerSecond;
        EXPECT_LE(static_cast<int>(at.size()), c.decodes) << c.stepsPerSecond;
    }
}

TEST(KinectEffectRecordingClock, ALongStepPassesEveryDueFrameAndWraps) {
    // A 3 s step is 54 frames; a step of an hour wraps the list many times over.
    const RecordingStep three = stepRecording(10, 0.5f, 3.0f, 465);
    EXPECT_TRUE(three.advanced);
    EXPECT_EQ(three.index, 64);
    EXPECT_FLOAT_EQ(three.accumulator, 0.5f);
    const RecordingStep hour = stepRecording(0, 0.0f, 3600.0f, 465);
    // 64800 frames of clock, the last one still pending (it is due once the clock is above it).
    EXPECT_EQ(hour.index, (3600 * 18 - 1) % 465);
    EXPECT_GE(hour.accumulator, 0.0f);
    EXPECT_LE(hour.accumulator, 1.0f);
}

TEST(KinectEffectRecordingClock, TheIndexWrapsAtTheEndOfTheList) {
    struct Case {
        int index;
        int count;
        int next;
    } cases[] = {
        {464, 465, 0},    // the whole recording, 175-639
        {463, 465, 464},
        {0, 465, 1},
        {0, 1, 0},        // a single frame stays where it is
        {2, 3, 0},
    };
    for (const Case& c : cases) {
        const RecordingStep s = stepRecording(c.index, 0.99f, 0.05f, c.count);
        EXPECT_TRUE(s.advanced) << c.index << " of " << c.count;
        EXPECT_EQ(s.index, c.next) << c.index << " of " << c.count;
        EXPECT_NEAR(s.accumulator, 0.99f + 0.9f - 1.0f, 1e-5f);
    }
}

TEST(KinectEffectRecordingClock, WithoutFramesNothingAdvances) {
    const RecordingStep s = stepRecording(0, 0.9f, 0.1f, 0);
    EXPECT_FALSE(s.advanced);
    EXPECT_EQ(s.index, 0);
    EXPECT_NEAR(s.accumulator, 0.7f, 1e-5f);  // the clock runs on: two frames fell due
}

TEST(KinectEffectRecordingClock, AStalledClockStandsStill) {
    const RecordingStep s = stepRecording(7, 0.5f, 0.0f, 465);
    EXPECT_FALSE(s.advanced);
    EXPECT_EQ(s.index, 7);
    EXPECT_EQ(s.accumulator, 0.5f);
}

TEST(KinectEffectTimeline, GatesAtTheirEdges) {
    const float below108 = std::nextafter(10.8f, 0.0f);
    struct Case {
        const char* name;
        float t;
        bool startSimulates, startDrawn, rainDrawn;
    } cases[] = {
        {"start", 0.0f, true, true, false},
        {"rain edge", 3.0f, true, true, false},
        {"just after 3", std::nextafter(3.0f, 4.0f), true, true, true},
        {"float just below 10.8", below108, true, true, true},
        // 10.8f is above the double 10.8: the start system has already stopped.
        {"10.8f", 10.8f, false, true, true},
        {"frozen", 11.5f, false, true, true},
        {"just below 12", std::nextafter(12.0f, 0.0f), false, true, true},
        {"12", 12.0f, false, false, true},
        {"end", 27.0f, false, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(startSimulates(c.t), c.startSimulates) << c.name;
        EXPECT_EQ(startDrawn(c.t), c.startDrawn) << c.name;
        EXPECT_EQ(rainDrawn(c.t), c.rainDrawn) << c.name;
    }
    EXPECT_GT(static_cast<double>(10.8f), 10.8);
    EXPECT_LT(static_cast<double>(below108), 10.8);
    EXPECT_EQ(passTime(-0.25f), 0.0f);
    EXPECT_EQ(passTime(4.0f), 4.0f);
}

TEST(KinectEffectTimeline, RecordingFileNames) {
    EXPECT_EQ(depthFileName(175), "..//newresources//3//D_00175.tiff");
    EXPECT_EQ(signalFileName(175), "..//newresources//3//Dv00175.tiff");
    EXPECT_EQ(depthFileName(639), "..//newresources//3//D_00639.tiff");
    EXPECT_EQ(kLastRecordingFrame - kFirstRecordingFrame + 1, 465);
}

TEST(KinectEffectTimeline, LoadWeightsAddUp) {
    EXPECT_EQ(kWeightMaterial + kWeightWorkers + kWeightFrames, kTotalLoadWeight);
    EXPECT_EQ(kTotalLoadWeight, 4.0f);
}
