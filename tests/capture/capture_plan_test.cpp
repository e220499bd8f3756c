#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/capture_plan.h"
#include "driver/data_interface.h"
#include "driver/part.h"
#include "driver/scene_table.h"

namespace {

// A scene on its own clock: frameDelta x rate, done once past `end`.
class ClockScene : public Part {
public:
    ClockScene(float e, float r) : end(e), rate(r) {}
    void render(Data_Interface*, int, const float*) override {}
    void update(Data_Interface* e) override {
        engine = e;
        timeStep = e->frameDelta * rate;
        ++updateCount;
        localTime += timeStep;
        if (localTime > end) done = true;
    }
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override {}
    void finishLoad() override {}
    float end;
    float rate;
};

class CapturePlan : public ::testing::Test {
protected:
    // Slot 8 lasts 1 s, the others 0.5 s (slot 0 at half speed: 1 s); at 8 fps steps are exact.
    void SetUp() override {
        for (int s = 0; s < scene_table::kSlots; ++s) {
            scenes[s] = std::make_unique<ClockScene>(s == 8 ? 1.0f : 0.5f, s == 0 ? 0.5f : 1.0f);
            engine.scenes[s] = scenes[s].get();
        }
    }
    capture_plan::Timeline timeline(double fps = 8.0) { return capture_plan::simulate(engine.scenes, engine, fps, 100000); }
    std::vector<int> select(const CaptureOptions& o) {
        std::string error;
        std::vector<int> f = capture_plan::selectFrames(o, timeline(o.fps), error);
        EXPECT_EQ(f.empty(), !error.empty());
        return f;
    }

    Data_Interface engine;
    std::unique_ptr<ClockScene> scenes[scene_table::kSlots];
};

TEST_F(CapturePlan, StepBefore) {
    EXPECT_EQ(capture_plan::stepBefore(0, 30.0), 0.0f);
    EXPECT_EQ(capture_plan::stepBefore(1, 30.0), static_cast<float>(1.0 / 30.0));
    EXPECT_EQ(capture_plan::stepBefore(7, 8.0), 0.125f);
}

TEST_F(CapturePlan, TimelineAndRestoredClocks) {
    scenes[8]->localTime = -0.25f;  // a lead-in, as scenes set in load
    const capture_plan::Timeline t = timeline();
    // Slot 8 runs from -0.25 and passes 1.0 in frame 11: drawn in frames 0-10. Slot 0 is drawn
    // from frame 11 (before its first update), passes 0.5 at half speed in frame 20; the others
    // take 5 frames each.
    const std::vector<capture_plan::Span> spans = capture_plan::spans(t);
    ASSERT_EQ(spans.size(), 10u);
    const int expected[][3] = {{8, 0, 11}, {0, 11, 20}, {5, 20, 25}, {2, 25, 30}, {4, 30, 35},
                               {9, 35, 40}, {1, 40, 45}, {7, 45, 50}, {6, 50, 55}, {3, 55, 60}};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(spans[i].slot, expected[i][0]) << i;
        EXPECT_EQ(spans[i].first, expected[i][1]) << i;
        EXPECT_EQ(spans[i].end, expected[i][2]) << i;
    }
    EXPECT_EQ(t.endFrame, t.frameCount());
    EXPECT_EQ(t.endFrame, spans.back().end);
    for (const auto& s : scenes) {
        EXPECT_FALSE(s->done);
        EXPECT_EQ(s->updateCount, 0u);
    }
    EXPECT_EQ(scenes[8]->localTime, -0.25f);
    EXPECT_EQ(scenes[0]->localTime, 0.0f);
}

TEST_F(CapturePlan, NeverEndingShowStopsAtTheLimit) {
    scenes[3]->end = 1e9f;
    const capture_plan::Timeline t = capture_plan::simulate(engine.scenes, engine, 8.0, 500);
    EXPECT_EQ(t.endFrame, -1);
    EXPECT_EQ(t.frameCount(), 500);
}

TEST_F(CapturePlan, SelectFrames) {
    const int showFrames = timeline().frameCount();
    struct Case {
        const char* name;
        CaptureOptions options;
        std::vector<int> frames;  // empty: see `count`
        int count;
    };
    auto opts = [](double from, double to, double every = 0.0, int frames = 0) {
        CaptureOptions o;
        o.fps = 8.0;
        o.from = from;
        o.to = to;
        o.every = every;
        o.frames = frames;
        return o;
    };
    CaptureOptions scene = opts(0.0, -1.0);
    scene.scene = "Part_ParticleShadowBoat";
    CaptureOptions sceneRange = opts(1.5, 2.0);
    sceneRange.scene = "Part_ParticleShadowBoat";
    CaptureOptions sceneBeforeRange = opts(0.0, 1.0);  // the boat starts at frame 9
    sceneBeforeRange.scene = "Part_ParticleShadowBoat";
    CaptureOptions sceneOverlap = opts(0.5, 1.5);
    sceneOverlap.scene = "Part_ParticleShadowBoat";
    CaptureOptions perScene = opts(0.0, -1.0);
    perScene.perScene = 2;
    CaptureOptions cuts = opts(0.0, -1.0);
    cuts.cuts = 2;
    CaptureOptions wideCuts = opts(0.0, -1.0);
    wideCuts.cuts = 100;
    const Case cases[] = {
        {"first second", opts(0.0, 1.0), {0, 1, 2, 3, 4, 5, 6, 7}, 8},
        {"from 0.5 to 1", opts(0.5, 1.0), {4, 5, 6, 7}, 4},
        {"every half second", opts(0.0, 2.0, 0.5), {0, 4, 8, 12}, 4},
        {"at most 3 frames", opts(1.0, -1.0, 0.0, 3), {8, 9, 10}, 3},
        {"whole show", opts(0.0, -1.0), {}, showFrames},
        {"to beyond the end", opts(0.0, 1000.0), {}, showFrames},
        {"a scene", scene, {9, 10, 11, 12, 13, 14, 15, 16, 17}, 9},
        {"a scene within a range", sceneRange, {12, 13, 14, 15}, 4},
        {"a range that starts before the scene", sceneOverlap, {9, 10, 11}, 3},
        {"a range that ends before the scene", sceneBeforeRange, {}, 0},
        {"per scene", perScene, {}, 20},
        {"two frames either side of the nine cuts", cuts, {}, 36},
        // Wider than the scenes: each frame once, in order.
        {"cuts wider than the scenes", wideCuts, {}, showFrames},
        {"from beyond the end", opts(900.0, 1000.0), {}, 0},
        // Times whose frame numbers do not fit an int select as the end of the show would.
        {"from far beyond the show", opts(1e12, -1.0), {}, 0},
        {"to far beyond the show", opts(0.0, 1e12), {}, showFrames},
        {"every far beyond the show", opts(0.0, -1.0, 1e12), {0}, 1},
    };
    for (const Case& c : cases) {
        const std::vector<int> f = select(c.options);
        EXPECT_EQ(static_cast<int>(f.size()), c.count) << c.name;
        if (!c.frames.empty()) {
            EXPECT_EQ(f, c.frames) << c.name;
        }
    }
    const std::vector<int> f = select(perScene);
    EXPECT_EQ(f[0], 4);  // the middle of slot 8's frames 0-8
    EXPECT_EQ(f[1], 5);
    EXPECT_EQ(f[2], 13);  // the middle of slot 0's frames 9-17
    const std::vector<int> c = select(cuts);
    EXPECT_EQ(std::vector<int>(c.begin(), c.begin() + 4), (std::vector<int>{7, 8, 9, 10}));  // slot 8 -> slot 0
    const std::vector<int> w = select(wideCuts);
    for (size_t i = 0; i < w.size(); ++i) EXPECT_EQ(w[i], static_cast<int>(i));
}

}  // namespace
