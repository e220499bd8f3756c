// The fallers' load on a run tree of tiny meshes: the order of its prints, its loading-screen
// weights, the worker's samples after finishLoad, and that every shader compiles.
#include "scenes/particles/part_fallers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

}  // namespace

TEST(PartFallersLoad, PrintsWeightsAndSamples) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    tree.writeTriangle("newresources/fallers.objb", 0.01f);   // 5e-5 units^2
    tree.writeTriangle("newresources/agalma3simple.objb", 2.5f);
    tree.writeTriangle("newresources/agalma3cut.objb", 1.0f);
    tree.writeTriangle("newresources/cupidhead.objb", 0.5f);
    // No try1.sav, bg03.jpg or moon.jpg: the scene loads on without them.

    tree.enter();
    auto scene = std::make_unique<Part_Fallers>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    EXPECT_EQ(g_loadingFallers, scene.get());
    scene->finishLoad();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    tree.leave();

    // The render thread's prints, in order (the worker prints its own lines in between).
    std::vector<std::string> prints = {"Computer shader: ../shaders//fallers/ComputeShader1.cpp\n"};
    const char* const programs[][2] = {
        {"../shaders/fallers/v_particles.cpp", "../shaders/fallers/f_particles.cpp"},
        {"../shaders/fallers/v_postprocess.cpp", "../shaders/fallers/f_postprocessSSAO.cpp"},
        {"../shaders/fallers/v_Material1.cpp", "../shaders/fallers/f_Material1.cpp"},
        {"../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb.cpp"},
        {"../shaders/common/v_fixedObjb.cpp", "../shaders/common/f_fixedObjb2black.cpp"},
        {"../shaders/common/v_smog.cpp", "../shaders/common/f_Smog2.cpp"},
        {"../shaders/common/v_fixed3.cpp", "../shaders/common/f_fixedtexture33.cpp"},
        {"../shaders/fallers/v_blur.cpp", "../shaders/fallers/f_blur.cpp"},
        {"../shaders/fallers/1/v_postprocess.cpp", "../shaders/fallers/1/f_postprocessSSAO.cpp"},
    };
    for (const auto& p : programs) {
        prints.push_back(std::string("Vertex loading:") + p[0] + "\n");
        prints.push_back(std::string("Fragment loading") + p[1] + "\n");
    }
    prints.push_back(std::string(88, '=') + "\n");
    testsupport::expectInOrder(out, prints);
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << "a shader failed to compile:\n" << out;

    EXPECT_EQ(g_weights, (std::vector<float>{1.0f, 1.0f}));

    // The worker scattered the triangle by area: 50 x 16000 x 1 points per unit^2.
    EXPECT_EQ(scene->fallersSamples.width, 2024);
    EXPECT_NEAR(scene->fallersSamples.filledCount, 50.0 * 16000.0 * 0.5 * 0.01 * 0.01, 2.0);
    EXPECT_TRUE(scene->fallersSamples.positions.empty()) << "uploaded and freed";
    EXPECT_NE(scene->particleSystem.program, 0u);
    EXPECT_EQ(scene->particleSystem.width, 2024);
    EXPECT_NEAR(scene->statueMesh.boxMax.y, 2.5f, 0.01f);
    EXPECT_EQ(scene->splineTexture, 0u);
    EXPECT_EQ(scene->localTime, 0.0f);
    EXPECT_FALSE(g_fallersWorker.running());
}
