// The scene's load on a run tree of tiny meshes: the order of its prints, its loading-screen
// weights, the statue samples' scale, and the clock it leaves.
#include "scenes/particles/part_particle_shadow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

size_t find(const std::string& text, const std::string& what, size_t from = 0) {
    const size_t at = text.find(what, from);
    EXPECT_NE(at, std::string::npos) << "missing: " << what;
    return at;
}

}  // namespace

TEST(PartParticleShadowLoad, PrintsWeightsAndClock) {
    REQUIRE_GL_CONTEXT();
    // One triangle of 101-156 file units per walk frame, a tiny statue, a small island.
    testsupport::TempRunTree tree;
    ASSERT_TRUE(tree.ready());
    for (int i = 1; i <= 56; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "newresources/walkers2/mesh.%04d.objb", i);
        ASSERT_TRUE(tree.writeTriangle(name, 100.0f + i));
    }
    ASSERT_TRUE(tree.writeTriangle("newresources/agalma3.objb", 0.002f));
    ASSERT_TRUE(tree.writeTriangle("newresources/island.objb", 5.0f));

    auto scene = std::make_unique<Part_ParticleShadow>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();

    // Prints, in order.
    EXPECT_EQ(out.rfind("PARTICLE SHADOW\n", 0), 0u);
    size_t at = 0;
    for (int i = 0; i < 56; ++i) at = find(out, "\nT: " + std::to_string(i) + "\n", at);
    at = find(out, "Computer shader: ../shaders//ParticleShadow/ComputeShader1.cpp", at);
    at = find(out, "Computer shader: ../shaders//ParticleShadow/ComputeShader12Agalma.cpp", at);
    at = find(out, "Vertex loading:../shaders/particleShadow/v_particles.cpp", at);
    at = find(out, "Fragment loading../shaders/ParticleShadow/1/f_postprocessSSAO.cpp", at);
    at = find(out, std::string(88, '=') + "\n", at);
    EXPECT_EQ(out.size(), at + 89) << "the line of '=' ends the load";

    // The loading screen: 28 allocations, then 14 batches, each followed by the uploads of its
    // four frames (two steps), then the meshes and the end.
    std::vector<float> expected;
    for (int i = 0; i < 28; ++i) expected.push_back(0.25f);
    for (int i = 0; i < 14; ++i) {
        for (float w : {1.0f, 0.25f, 0.25f}) expected.push_back(w);
    }
    for (float w : {4.25f, 1.0f, 1.0f, 1.25f}) expected.push_back(w);
    EXPECT_EQ(g_weights, expected);
    float total = 0.0f;
    for (float w : g_weights) total += w;
    EXPECT_FLOAT_EQ(total, 35.5f);

    EXPECT_EQ(scene->localTime, -4.5f);
    EXPECT_EQ(g_loadingParticleShadow, scene.get());
    // The statue samples went through the cache at scale 50 (so 2500 x the file), and the
    // drawn statue reads that cache at scale 1 (50 x the file).
    EXPECT_NEAR(scene->statueSamples.mesh.boxMax.y, 0.002f * 2500.0f, 0.01f);
    EXPECT_NEAR(scene->statueMesh.boxMax.y, 0.002f * 50.0f, 0.001f);
    EXPECT_EQ(scene->walkFrames[55].width, 1000);
    // Every walk frame and the statue samples are uploaded, and no sample arrays are left.
    for (const TextureObject& frame : scene->walkFrames) EXPECT_EQ(frame.positions.capacity(), 0u);
    EXPECT_EQ(TextureObject::heldArrayBytes(), 0);
    EXPECT_NE(scene->crowdA.program, 0u);
    EXPECT_NE(scene->compositeProgram.program, 0u);
}
