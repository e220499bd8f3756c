// The boat scene's load and finishLoad on a run tree of tiny meshes: the order of the render
// thread's prints and programs, the loading-screen weights, the four workers' sets, and the
// clock it leaves.
#include "scenes/particles/part_particle_shadow_boat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "formats/objb.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

// A small upright square of `size` file units, standing on y = 0 at z = `z`.
void writeSquare(const std::string& path, float size, float z) {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {0, 0, z, size, 0, z, size, size, z, 0, size, z};
    part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 1, 2, 0, 2, 3};
    mesh.parts.push_back(part);
    ASSERT_TRUE(writeObjb(path, mesh));
}

size_t find(const std::string& text, const std::string& what, size_t from = 0) {
    const size_t at = text.find(what, from);
    EXPECT_NE(at, std::string::npos) << "missing after " << from << ": " << what;
    return at == std::string::npos ? from : at;
}

}  // namespace

TEST(PartParticleShadowBoatLoad, OrderWeightsWorkersAndClock) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir temp;
    namespace fs = std::filesystem;
    fs::create_directories(temp.path() / "bin");
    fs::create_directories(temp.path() / "newresources");
    // Sizes that keep each scatter well inside its grid (area x 50 x densities < texels).
    writeSquare(temp.file("newresources/sceneboat.objb"), 0.5f, 0.0f);
    writeSquare(temp.file("newresources/gto.objb"), 0.2f, 0.0f);
    writeSquare(temp.file("newresources/headsgarbled.objb"), 0.6f, 0.0f);
    writeSquare(temp.file("newresources/eyes.objb"), 0.05f, 0.0f);
    writeSquare(temp.file("newresources/peoplerow.objb"), 2.0f, 0.0f);
    writeSquare(temp.file("newresources/agalma3simple.objb"), 2.5f, 0.0f);
    writeSquare(temp.file("newresources/island.objb"), 0.2f, 0.0f);
    std::vector<PathRecord> path(100);
    for (size_t i = 0; i < path.size(); ++i) path[i].x = static_cast<float>(i);
    ASSERT_TRUE(writePathRecords(temp.file("newresources/try1.sav"), path));
    const std::string install = std::string(VELLUNA_SOURCE_DIR) + "/scripts/install-shaders " +
                                VELLUNA_SOURCE_DIR + "/content/shaders " + temp.file("shaders") + " >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);

    const fs::path previous = fs::current_path();
    fs::current_path(temp.path() / "bin");
    auto scene = std::make_unique<Part_ParticleShadowBoat>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    std::fflush(stdout);
    const std::string loadOut = testing::internal::GetCapturedStdout();
    const std::vector<float> loadWeights = g_weights;
    EXPECT_EQ(scene->localTime, -2.0f);
    EXPECT_EQ(g_loadingBoat, scene.get());
    testing::internal::CaptureStdout();
    scene->finishLoad();
    std::fflush(stdout);
    const std::string finishOut = testing::internal::GetCapturedStdout();
    // A shader reload mid-scene starts the clock over.
    scene->localTime = 12.0f;
    testing::internal::CaptureStdout();
    scene->reloadShaders();
    const std::string reloadOut = testing::internal::GetCapturedStdout();
    EXPECT_EQ(scene->localTime, -2.0f);
    fs::current_path(previous);

    // The render thread's prints, in order: the line of '=' before the programs, then the
    // compute program and the nine programs' stages in the order reloadShaders builds them.
    size_t at = find(loadOut, std::string(88, '=') + "\n");
    at = find(loadOut, "Computer shader: ../shaders//ParticleShadowBoat/ComputeShader1.cpp", at);
    for (const char* file : {
             "../shaders/ParticleShadowBoat/v_particles.cpp", "../shaders/ParticleShadowBoat/f_particles.cpp",
             "../shaders/ParticleShadowBoat/v_postprocess.cpp", "../shaders/ParticleShadowBoat/f_postprocessSSAO.cpp",
             "../shaders/common/v_fixed.cpp", "../shaders/common/f_fixedBlack2.cpp",
             "../shaders/ParticleShadowBoat/v_smog.cpp", "../shaders/ParticleShadowBoat/f_Smog.cpp",
             "../shaders/ParticleShadowBoat/v_Material1.cpp", "../shaders/ParticleShadowBoat/f_Material1.cpp",
             "../shaders/common/v_fixed4.cpp", "../shaders/common/f_fixedtexture4.cpp",
             "../shaders/ParticleShadowBoat/1/v_blur.cpp", "../shaders/ParticleShadowBoat/1/f_blur.cpp",
             "../shaders/ParticleShadowBoat/1/v_postprocess.cpp",
             "../shaders/ParticleShadowBoat/1/f_postprocessSSAO.cpp"}) {
        at = find(loadOut, file, at);
    }
    EXPECT_EQ(loadOut.find("error"), std::string::npos) << "a shader failed to compile:\n" << loadOut;
    EXPECT_EQ(finishOut.find("error"), std::string::npos);

    // The loading screen: six steps in load, then 0.2 and 0.3 after each upload: 7.4 in all.
    EXPECT_EQ(loadWeights, std::vector<float>(6, 1.0f));
    const std::vector<float> all = {1, 1, 1, 1, 1, 1, 0.2f, 0.3f, 0.3f, 0.3f, 0.3f};
    EXPECT_EQ(g_weights, all);
    float total = 0.0f;
    for (float w : g_weights) total += w;
    EXPECT_FLOAT_EQ(total, 7.4f);

    // The four workers ran and were joined; every set was uploaded (its arrays freed).
    const int grids[boat::kSampleSets] = {2560, 2560, 2560, 512};
    for (int i = 0; i < boat::kSampleSets; ++i) {
        EXPECT_FALSE(g_boatWorkers[i].running()) << i;
        EXPECT_EQ(scene->samples[i].width, grids[i]) << i;
        EXPECT_GT(scene->samples[i].filledCount, 0) << i;
        EXPECT_TRUE(scene->samples[i].positions.empty()) << i;
        EXPECT_NE(scene->samples[i].positionTexture, 0u) << i;
    }
    EXPECT_EQ(scene->system.width, 2560);
    EXPECT_NE(scene->system.program, 0u);
    EXPECT_NE(scene->compositeProgram.program, 0u);
    EXPECT_GT(scene->cameraPath.count(), 1);
    EXPECT_EQ(reloadOut.find("error"), std::string::npos) << reloadOut;
}
