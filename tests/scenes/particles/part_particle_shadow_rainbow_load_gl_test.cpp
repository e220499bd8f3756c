// The rainbow scene's load and finishLoad on a run tree of tiny meshes: the order of the
// render thread's prints, programs and loading-screen weights (1 + 3 + 3 + 1 + 1), the people
// worker that load starts and finishLoad joins, and the clock it leaves.
#include "scenes/particles/part_particle_shadow_rainbow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "formats/camera_path.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::vector<float> g_weights;
// Each weight also goes to stdout, so its place among the prints is checked too.
void recordWeight(float weight) {
    g_weights.push_back(weight);
    std::printf("[weight %g]\n", weight);
}

}  // namespace

TEST(PartParticleShadowRainbowLoad, OrderWeightsWorkerAndClock) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    ASSERT_TRUE(tree.ready());
    ASSERT_TRUE(tree.writeTriangle("newresources/people.objb", 2.0f));
    ASSERT_TRUE(tree.writeTriangle("newresources/buffalo.objb", 1.5f));
    ASSERT_TRUE(tree.writeTriangle("newresources/cheetah2.objb", 1.25f));
    std::vector<PathRecord> wobble(100);
    for (size_t i = 0; i < wobble.size(); ++i) wobble[i].x = static_cast<float>(i);
    ASSERT_TRUE(writePathRecords(tree.file("newresources/try1.sav"), wobble));

    auto scene = std::make_unique<Part_ParticleShadowRainbow>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    std::fflush(stdout);
    const std::string loaded = testing::internal::GetCapturedStdout();
    EXPECT_EQ(g_loadingRainbow, scene.get());

    testsupport::expectInOrder(loaded, {
        "[weight 1]",
        "newresources//buffalo.objb", "[weight 3]",
        // (people.objb prints only when this thread, not the worker, reads it first)
        "newresources//cheetah2.objb", "[weight 3]",
        "Computer shader: ../shaders//ParticleShadowRainbow/ComputeShader1.cpp",
        "Vertex loading:../shaders/ParticleShadowRainbow/v_particles.cpp",
        "Fragment loading../shaders/ParticleShadowRainbow/f_particles.cpp",
        "Fragment loading../shaders/ParticleShadowRainbow/f_postprocessSSAO.cpp",
        "Fragment loading../shaders/ParticleShadowRainbow/f_Material1.cpp",
        "Vertex loading:../shaders/common/v_fixedObjb.cpp", "Fragment loading../shaders/common/f_fixedObjb.cpp",
        "Vertex loading:../shaders/common/v_fixedObjbB.cpp", "Fragment loading../shaders/common/f_fixedObjbB.cpp",
        "Vertex loading:../shaders/common/v_fixedObjb.cpp", "Fragment loading../shaders/common/f_fixedObjb2.cpp",
        "Vertex loading:../shaders/common/v_smog.cpp", "Fragment loading../shaders/common/f_Smog.cpp",
        "Vertex loading:../shaders/common/v_fixed3.cpp", "Fragment loading../shaders/common/f_fixedtexture3.cpp",
        "Vertex loading:../shaders/ParticleShadowRainbow/v_blur.cpp",
        "Fragment loading../shaders/ParticleShadowRainbow/f_blur.cpp",
        "Vertex loading:../shaders/ParticleShadowRainbow/1/v_postprocess.cpp",
        "Fragment loading../shaders/ParticleShadowRainbow/1/f_postprocessSSAO.cpp",
        std::string(88, '=') + "\n",
        "[weight 1]", "[weight 1]",
    });
    EXPECT_EQ(loaded.find("ERROR"), std::string::npos) << loaded;
    EXPECT_EQ(g_weights, (std::vector<float>{1.0f, 3.0f, 3.0f, 1.0f, 1.0f}));
    EXPECT_EQ(std::accumulate(g_weights.begin(), g_weights.end(), 0.0f), 9.0f);
    EXPECT_EQ(scene->localTime, 0.0f);
    EXPECT_EQ(scene->system.width, 2024);
    EXPECT_EQ(scene->system.height, 2024);

    // Every program compiled (no red banner above) and linked.
    const GLuint programs[] = {scene->system.program,           scene->particleProgram.program,
                               scene->occlusionProgram.program, scene->materialProgram.program,
                               scene->meshProgram.program,      scene->shadowProgram.program,
                               scene->reflectionProgram.program, scene->smogProgram.program,
                               scene->texturedProgram.program,  scene->blurProgram.program,
                               scene->compositeProgram.program};
    for (GLuint program : programs) {
        GLint linked = 0;
        ASSERT_NE(program, 0u);
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
    }

    // finishLoad joins the worker that load started and uploads what it scattered.
    testing::internal::CaptureStdout();
    scene->finishLoad();
    std::fflush(stdout);
    const std::string finished = loaded + testing::internal::GetCapturedStdout();
    EXPECT_FALSE(g_rainbowWorker.running());
    EXPECT_NE(finished.find("TGObject Maxcounter:"), std::string::npos) << finished;
    EXPECT_EQ(scene->peopleSamples.width, 2024);
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, scene->peopleSamples.positionTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(width, 2024);
    // A second finishLoad (nothing left to join) is harmless.
    scene->finishLoad();
}
