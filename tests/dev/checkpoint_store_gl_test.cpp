#include "dev/checkpoint_store.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "driver/part.h"
#include "driver/scene_state_hooks.h"
#include "gpu/compute_particle_system.h"
#include "gpu/particle_owners.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

class StubScene : public Part {
public:
    void render(Data_Interface*, int, const float*) override {}
    void update(Data_Interface*) override {}
    void hookA() override {}
    void onTrigger() override {}
    void hookB() override {}
    void load() override {}
    void finishLoad() override {}
    int recordingFrame = 0;
};

constexpr int kSlot = 5;
constexpr int kGrid = 16;

// A system made while slot kSlot loads, as scene_table::loadAll has it.
ComputeParticleSystem& systemOfSlot(const testsupport::TempDir& dir) {
    static ComputeParticleSystem* system = nullptr;
    if (system != nullptr) return *system;
    const std::string path = dir.file("ComputeShader1.cpp");
    std::ofstream(path) << "#version 430\nlayout(local_size_x = 16, local_size_y = 16) in;\nvoid main() {}\n";
    system = new ComputeParticleSystem();
    system->width = system->height = kGrid;
    particle_owners::setLoadingSlot(kSlot);
    testing::internal::CaptureStdout();
    system->create(path);
    testing::internal::GetCapturedStdout();
    particle_owners::setLoadingSlot(-1);
    return *system;
}

std::vector<float> filled(float value) { return std::vector<float>(kGrid * kGrid * 4, value); }

void fill(const ComputeParticleSystem& s, float value) {
    const std::vector<float> v = filled(value);
    for (GLuint b : {s.buffer0, s.buffer1, s.buffer2}) glNamedBufferSubData(b, 0, static_cast<GLsizeiptr>(v.size() * 4), v.data());
    for (GLuint i : {s.image0, s.image2}) {
        if (i != 0) glTextureSubImage2D(i, 0, 0, 0, kGrid, kGrid, GL_RGBA, GL_FLOAT, v.data());
    }
}

// Every buffer and image of the system (those it makes) holds `value` throughout.
void expectFilled(const ComputeParticleSystem& s, float value, const char* when) {
    std::vector<float> v(kGrid * kGrid * 4);
    for (GLuint b : {s.buffer0, s.buffer1, s.buffer2}) {
        glGetNamedBufferSubData(b, 0, static_cast<GLsizeiptr>(v.size() * 4), v.data());
        EXPECT_EQ(v, filled(value)) << when << ", buffer " << b;
    }
    for (GLuint i : {s.image0, s.image2}) {
        if (i == 0) continue;  // an image the system does not make
        glGetTextureImage(i, 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(v.size() * 4), v.data());
        EXPECT_EQ(v, filled(value)) << when << ", image " << i;
    }
}

TEST(CheckpointStoreGl, PutsBackParticlesClocksAndTheScenesOwnState) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const ComputeParticleSystem& system = systemOfSlot(dir);
    ASSERT_EQ(particle_owners::systemsOf(kSlot).size(), 1u);
    EXPECT_TRUE(particle_owners::systemsOf(kSlot + 1).empty());

    StubScene scene;
    Part* scenes[12] = {};
    scenes[kSlot] = &scene;
    scene_state_hooks::add(
        &scene, [&](std::vector<uint8_t>& blob) { scene_state_hooks::append(blob, scene.recordingFrame); },
        [&](const std::vector<uint8_t>& blob) {
            size_t at = 0;
            scene_state_hooks::take(blob, at, scene.recordingFrame);
        });

    dev::CheckpointStore store;
    fill(system, 1.0f);
    scene.localTime = -2.0f;
    ASSERT_TRUE(store.save(scenes, kSlot, -1, 10.0, true));
    fill(system, 2.0f);
    scene.localTime = 3.5f;
    scene.recordingFrame = 7;
    ASSERT_TRUE(store.save(scenes, kSlot, 720, 12.0, false));
    fill(system, 3.0f);
    scene.localTime = 9.0f;
    scene.recordingFrame = 20;
    scene.done = true;

    ASSERT_NE(store.nearest(kSlot, 800), nullptr);
    EXPECT_EQ(store.nearest(kSlot, 800)->frame, 720);
    EXPECT_EQ(store.nearest(kSlot, 719), nullptr);
    EXPECT_EQ(store.nearest(kSlot + 1, 800), nullptr);

    store.restore(scenes, *store.nearest(kSlot, 800));
    expectFilled(system, 2.0f, "from the checkpoint at frame 720");
    EXPECT_EQ(scene.localTime, 3.5f);
    EXPECT_FALSE(scene.done);
    EXPECT_EQ(scene.recordingFrame, 7);

    // A start checkpoint puts back the particles and the scene's own state, not the clocks.
    store.restore(scenes, *store.startOf(kSlot));
    expectFilled(system, 1.0f, "from the start");
    EXPECT_EQ(scene.localTime, 3.5f);
    EXPECT_EQ(scene.recordingFrame, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(CheckpointStoreGl, BudgetDropsTheOldestButNeverAStart) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir dir;
    const ComputeParticleSystem& system = systemOfSlot(dir);
    StubScene scene;
    Part* scenes[12] = {};
    scenes[kSlot] = &scene;
    // Three buffers and the images the system makes; an image it does not make costs nothing.
    const int64_t grid = int64_t{kGrid} * kGrid * 16;
    const int64_t made = 3 + (system.image0 != 0 ? 1 : 0) + (system.image2 != 0 ? 1 : 0);
    const int64_t one = dev::checkpointBytes(kSlot);
    EXPECT_EQ(one, static_cast<int64_t>(sizeof(dev::Checkpoint)) + made * grid);
    dev::CheckpointStore store(2 * one + one / 2);  // room for two
    EXPECT_TRUE(store.save(scenes, kSlot, -1, 0.0, true));
    EXPECT_LE(store.usedBytes(), one + 4096);  // what a checkpoint holds is what the budget counts
    for (int frame = 60; frame <= 240; frame += 60) EXPECT_TRUE(store.save(scenes, kSlot, frame, frame / 60.0, false));
    EXPECT_EQ(store.count(), 2u);  // the start and the latest
    EXPECT_NE(store.startOf(kSlot), nullptr);
    EXPECT_EQ(store.nearest(kSlot, 200), nullptr);
    ASSERT_NE(store.nearest(kSlot, 240), nullptr);
    EXPECT_LE(store.usedBytes(), store.budgetBytes());
    // A start is kept even over the budget.
    dev::CheckpointStore tiny(1);
    EXPECT_TRUE(tiny.save(scenes, kSlot, -1, 0.0, true));
    EXPECT_FALSE(tiny.save(scenes, kSlot, 60, 1.0, false));
    EXPECT_EQ(tiny.count(), 1u);
}

}  // namespace
