// The skull scene's load and finishLoad on a run tree of tiny meshes: its weights, its
// prints, the programs, and both sample sets scattered, joined and uploaded.
#include "scenes/particles/part_particle_shadow_skull.h"

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

// One triangle facing +z, in front of z = 0 (the side the scene scatters).
void writeTriangle(const std::string& path, float size) {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {0, 0, 0.1f, size, 0, 0.1f, 0, size, 0.1f};
    part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 1, 2};
    mesh.parts.push_back(part);
    ASSERT_TRUE(writeObjb(path, mesh));
}

}  // namespace

TEST(PartParticleShadowSkullLoad, WeightsPrintsAndSampleSets) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir temp;
    namespace fs = std::filesystem;
    fs::create_directories(temp.path() / "bin");
    fs::create_directories(temp.path() / "newresources");
    writeTriangle(temp.file("newresources/agalma3cut.objb"), 0.5f);
    writeTriangle(temp.file("newresources/cupidhead.objb"), 0.25f);
    const std::string install = std::string(VELLUNA_SOURCE_DIR) + "/scripts/install-shaders " +
                                VELLUNA_SOURCE_DIR + "/content/shaders " + temp.file("shaders") + " >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);

    const fs::path previous = fs::current_path();
    fs::current_path(temp.path() / "bin");
    auto scene = std::make_unique<Part_ParticleShadowSkull>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    EXPECT_EQ(g_loadingParticleShadowSkull, scene.get());
    scene->finishLoad();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    fs::current_path(previous);

    EXPECT_EQ(g_weights, (std::vector<float>{1.0f, 1.0f}));
    const size_t bust = out.find("Computer shader: ../shaders//ParticleShadowSkull/ComputeShader1.cpp");
    const size_t head = out.find("Computer shader: ../shaders//ParticleShadowSkull/ComputeShader12.cpp");
    const size_t line = out.find(std::string(88, '=') + "\n");
    ASSERT_NE(bust, std::string::npos);
    ASSERT_NE(head, std::string::npos);
    ASSERT_NE(line, std::string::npos);
    EXPECT_LT(bust, head);
    EXPECT_LT(head, line);
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;

    EXPECT_EQ(scene->localTime, 0.0f);
    for (const ComputeParticleSystem* s : {&scene->bustSystem, &scene->headSystem}) {
        EXPECT_EQ(s->width, 1536);
        EXPECT_NE(s->program, 0u);
    }
    for (const ShaderProgram* p : {&scene->textureProgram, &scene->particleProgram, &scene->occlusionProgram,
                                   &scene->materialProgram, &scene->smogProgram, &scene->blurProgram,
                                   &scene->compositeProgram})
        EXPECT_NE(p->program, 0u);
    // Both workers ran to the end and were joined; the sets are on the GPU, their arrays freed.
    for (const Loader& worker : g_skullSampleWorkers) EXPECT_FALSE(worker.running());
    for (const TextureObject* set : {&scene->bustSamples, &scene->headSamples}) {
        EXPECT_EQ(set->width, 1536);
        EXPECT_GT(set->filledCount, 0);
        EXPECT_TRUE(set->positions.empty());
    }
}
