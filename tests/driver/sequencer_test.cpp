#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "driver/entrypoint.h"
#include "driver/part.h"
#include "driver/scene_table.h"
#include "gpu/texture_object.h"

namespace {

// A scene that writes what is called on it into a shared log ("U8" = update of slot 8) and
// declares itself done after `updatesLeft` updates (never when negative).
class RecordingScene : public Part {
public:
    RecordingScene(int s, std::vector<std::string>* l) : slot(s), calls(l) {}
    void render(Data_Interface*, int eye, const float*) override { note("R" + std::to_string(eye) + "/"); }
    void update(Data_Interface*) override {
        note("U");
        if (updatesLeft > 0 && --updatesLeft == 0) done = true;
    }
    void hookA() override { note("A"); }
    void onTrigger() override { note("T"); }
    void hookB() override { note("B"); }
    void load() override { std::printf("L%d\n", slot); }
    void finishLoad() override { std::printf("F%d\n", slot); }

    int slot;
    int updatesLeft = -1;
    std::vector<std::string>* calls;

private:
    void note(const std::string& what) { calls->push_back(what + std::to_string(slot)); }
};

class Sequencer : public ::testing::Test {
protected:
    void SetUp() override {
        engine = std::make_unique<Data_Interface>();
        entry.engine = engine.get();
        entry.settings.width = 640;
        entry.settings.height = 360;
        for (int s = 0; s < scene_table::kSlots; ++s) {
            scenes[s] = std::make_unique<RecordingScene>(s, &calls);
            engine->scenes[s] = scenes[s].get();
        }
    }
    void frame() {
        entry.stepFrame();
        entry.renderView(0);
    }
    void finishAllBut(int keep) {
        for (int s = 0; s < scene_table::kSlots; ++s) scenes[s]->done = s != keep;
    }

    std::unique_ptr<Data_Interface> engine;
    Entrypoint entry;
    std::unique_ptr<RecordingScene> scenes[scene_table::kSlots];
    std::vector<std::string> calls;
};

TEST_F(Sequencer, FirstSceneIsSlot8UpdatedBeforeDrawn) {
    frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"U8", "R0/8"}));
    EXPECT_EQ(engine->viewWidth, 640.0f);
    EXPECT_EQ(engine->viewHeight, 360.0f);
    EXPECT_EQ(engine->display, &entry.display);
}

TEST_F(Sequencer, NextSceneDrawnInTheFrameTheLastOneEnds) {
    scenes[8]->updatesLeft = 2;
    frame();
    frame();  // slot 8 ends in this frame's update; slot 0 is drawn, not yet updated
    frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"U8", "R0/8", "U8", "R0/0", "U0", "R0/0"}));
}

// The main loop attaches the engine on every pass while the render thread reads the field:
// only the first engine is ever stored, so those later passes write nothing.
TEST(EntrypointEngine, SetOnceThenAttachLeavesIt) {
    Data_Interface first, other;
    Entrypoint entry;
    entry.attach(&first);
    EXPECT_EQ(entry.engine, &first);
    entry.attach(&other);
    entry.attach(&first);
    EXPECT_EQ(entry.engine, &first);
    entry.engine = &other;  // as start() sets it
    entry.attach(&first);
    EXPECT_EQ(entry.engine, &other);
}

TEST_F(Sequencer, PlayOrder) {
    std::vector<int> drawn;
    for (int i = 0; i < scene_table::kSlots; ++i) {
        finishAllBut(-1);
        for (int k = i; k < scene_table::kSlots; ++k) scenes[scene_table::kPlayOrder[k]]->done = false;
        drawn.push_back(scene_table::activeSlot(engine->scenes));
    }
    EXPECT_EQ(drawn, (std::vector<int>{8, 0, 5, 2, 4, 9, 1, 7, 6, 3}));
    finishAllBut(-1);
    EXPECT_EQ(scene_table::activeSlot(engine->scenes), -1);
}

TEST_F(Sequencer, Keys) {
    engine->keys[kScancodeKey1] = 1;
    engine->keys[kScancodeKey2] = 1;
    entry.stepFrame();
    EXPECT_EQ(engine->keys[kScancodeKey1].load(), 0);
    EXPECT_EQ(engine->keys[kScancodeKey2].load(), 0);
    entry.stepFrame();  // consumed: no second trigger
    EXPECT_EQ(calls, (std::vector<std::string>{"T0", "U8", "U8"}));
}

TEST_F(Sequencer, MatricesAndEyeStored) {
    engine->mvpMatrix[5] = 7.0f;
    engine->eye = 3;
    entry.renderView(0);
    for (const float* m : {engine->mvpMatrix, engine->viewMatrix, engine->eyeViewMatrix, engine->projectionMatrix}) {
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
    EXPECT_EQ(engine->eye, 0);
}

TEST_F(Sequencer, NothingActiveNothingCalled) {
    finishAllBut(3);
    scenes[3]->done = false;
    entry.renderView(0);
    EXPECT_EQ(calls, (std::vector<std::string>{"R0/3"}));
}

// The show ends with code 0 in the frame in which slot 3 is done, before that frame is drawn.
TEST_F(Sequencer, EndsWhenLastSceneIsDone) {
    finishAllBut(3);
    scenes[3]->updatesLeft = 1;
    EXPECT_EXIT(
        {
            entry.stepFrame();
            entry.renderView(0);
            std::fprintf(stderr, "drawn after the end\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "^$");
}

TEST_F(Sequencer, LoadOrder) {
    testing::internal::CaptureStdout();
    scene_table::loadAll(engine->scenes);
    const std::string stars = "********************************************************\n";
    EXPECT_EQ(stars.size(), 57u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "L0\nL1\nL2\nF0\nF1\nL3\nF2\nF3\nL5\nF5\nL8\nF8\n" + stars + stars + stars +
                  "L6\nF6\nL7\nF7\nL4\nF4\nL9\nF9\n");
}

// A scene that allocates a small sample set in load and frees it in finishLoad, unless it is
// the one that keeps it.
class SamplingScene : public Part {
public:
    SamplingScene(int s, bool k) : slot(s), keeps(k) {}
    void render(Data_Interface*, int, const float*) override {}
    void update(Data_Interface*) override {}
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override { samples.allocateArrays(8, 8); }
    void finishLoad() override {
        if (!keeps) samples.releaseArrays();
    }
    int slot;
    bool keeps;
    TextureObject samples;
};

// Whenever no scene is between its load and finishLoad, every sample set must have been freed;
// the first such point after a scene that keeps its set names the scene that just finished.
TEST(SceneTable, LoadAllTellsOfSampleArraysKeptAfterFinishLoad) {
    struct Case {
        const char* name;
        int keeper;           // -1: none
        const char* message;  // "" for none
    };
    const Case cases[] = {
        {"every scene frees its set", -1, ""},
        {"the lidar park keeps it", 6,
         "load: 2816 bytes of sample arrays are still held after Part_LidarAO's finishLoad\n"},
        // The boat finishes while the lidar tree is still loading: the next quiet point tells.
        {"the boat keeps it", 0,
         "load: 2816 bytes of sample arrays are still held after Part_DEMOLidarTree's finishLoad\n"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<SamplingScene> owned[scene_table::kSlots];
        Part* scenes[12] = {};
        for (int s = 0; s < scene_table::kSlots; ++s) {
            owned[s] = std::make_unique<SamplingScene>(s, s == c.keeper);
            scenes[s] = owned[s].get();
        }
        const int64_t before = TextureObject::heldArrayBytes();
        testing::internal::CaptureStdout();
        scene_table::loadAll(scenes);
        const std::string out = testing::internal::GetCapturedStdout();
        const size_t at = out.find("load: ");
        if (c.message[0] == '\0') {
            EXPECT_EQ(at, std::string::npos) << c.name << ": " << out;
        } else {
            ASSERT_NE(at, std::string::npos) << c.name;
            EXPECT_EQ(out.substr(at, out.find('\n', at) + 1 - at), c.message) << c.name;
        }
        EXPECT_EQ(TextureObject::heldArrayBytes() - before, c.keeper >= 0 ? 8 * 8 * 11 * 4 : 0) << c.name;
    }
}

TEST(SceneTable, Names) {
    struct Case {
        int slot;
        const char* name;
    };
    const Case cases[] = {{0, "Part_ParticleShadowBoat"},  {1, "Part_ParticleShadowSkull"},
                          {2, "Part_ParticleShadowRainbow"}, {3, "Part_DEMOLidarTree"},
                          {4, "Part_ParticleShadow"},      {5, "Part_ParticleShadowForest"},
                          {6, "Part_LidarAO"},             {7, "Part_LidarAOStart"},
                          {8, "Part_KinectEffect"},        {9, "Part_Fallers"}};
    for (const Case& c : cases) {
        EXPECT_STREQ(scene_table::className(c.slot), c.name);
        EXPECT_EQ(scene_table::slotOf(c.name), c.slot);
    }
    EXPECT_EQ(scene_table::slotOf("Part_Nothing"), -1);
    EXPECT_STREQ(scene_table::className(10), "");
    const int creation[] = {8, 0, 2, 5, 1, 4, 9, 6, 7, 3};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(scene_table::kCreationOrder[i], creation[i]);
}

}  // namespace
