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

TEST(KinectEffectRecordingClock, ASlowFrameAdvancesOnlyOneFrame) {
    struct Case {
        const char* name;
        float step;
        int calls;
    } cases[] = {
        {"a tenth of a second", 0.1f, 20},
        {"half a second", 0.5f, 8},
        {"the largest step the clock lets through", 1.0f, 5},
    };
    for (const Case& c : cases) {
        int index = 0;
        const std::vector<int> at = advancingCalls(c.step, c.calls, 465, index);
        EXPECT_EQ(at.size(), static_cast<size_t>(c.calls)) << c.name;
        EXPECT_EQ(index, c.calls) << c.name;
    }
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
        const RecordingStep s = stepRecording(c.index, 0.99f, 0.1f, c.count);
        EXPECT_TRUE(s.advanced) << c.index << " of " << c.count;
        EXPECT_EQ(s.index, c.next) << c.index << " of " << c.count;
        EXPECT_NEAR(s.accumulator, 0.99f + 1.8f - 1.0f, 1e-5f);
    }
}

TEST(KinectEffectRecordingClock, WithoutFramesNothingAdvances) {
    const RecordingStep s = stepRecording(0, 0.9f, 0.1f, 0);
    EXPECT_FALSE(s.advanced);
    EXPECT_EQ(s.index, 0);
    EXPECT_NEAR(s.accumulator, 1.7f, 1e-5f);
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
