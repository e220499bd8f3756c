// The forest scene's load on a run tree of tiny meshes: its prints and loading-screen
// weights in order, the clock it leaves, and the trees built once and uploaded whole.
#include "scenes/particles/part_particle_shadow_forest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "formats/camera_path.h"
#include "formats/objb.h"
#include "support/gl_context.h"
#include "support/temp_dir.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

// One triangle of `size` file units, standing on y = 0.
void writeTriangle(const std::string& path, float size) {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {0, 0, 0, size, 0, 0, 0, size, 0};
    part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 1, 2};
    mesh.parts.push_back(part);
    ASSERT_TRUE(writeObjb(path, mesh));
}

size_t find(const std::string& text, const std::string& what, size_t from = 0) {
    const size_t at = text.find(what, from);
    EXPECT_NE(at, std::string::npos) << "missing: " << what;
    return at == std::string::npos ? from : at;
}

}  // namespace

TEST(PartParticleShadowForestLoad, PrintsWeightsTreesAndClock) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempDir temp;
    namespace fs = std::filesystem;
    fs::create_directories(temp.path() / "bin");
    fs::create_directories(temp.path() / "newresources");
    writeTriangle(temp.file("newresources/standing.objb"), 2.0f);
    writeTriangle(temp.file("newresources/buffalo.objb"), 1.5f);
    writeTriangle(temp.file("newresources/standing3.objb"), 1.8f);
    std::vector<PathRecord> wobble(100);
    for (size_t i = 0; i < wobble.size(); ++i) wobble[i].x = static_cast<float>(i);
    ASSERT_TRUE(writePathRecords(temp.file("newresources/try1.sav"), wobble));
    const std::string install = std::string(VELLUNA_SOURCE_DIR) + "/scripts/install-shaders " +
                                VELLUNA_SOURCE_DIR + "/content/shaders " + temp.file("shaders") + " >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);

    const fs::path previous = fs::current_path();
    fs::current_path(temp.path() / "bin");
    auto scene = std::make_unique<Part_ParticleShadowForest>();
    Data_Interface engine;
    engine.loaderCallback = recordWeight;
    scene->engine = &engine;
    g_weights.clear();

    testing::internal::CaptureStdout();
    scene->load();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    fs::current_path(previous);

    // Prints, in order: the meshes, the programs, the standing figures' scatter, the end.
    size_t at = find(out, "buffalo.objb");
    at = find(out, "standing3.objb", at);
    at = find(out, "Computer shader: ../shaders//ParticleShadowForest/ComputeShader1.cpp", at);
    at = find(out, "Computer shader: ../shaders//ParticleShadowForest/ComputeShader12.cpp", at);
    at = find(out, "Vertex loading:../shaders/ParticleShadowForest/v_particles.cpp", at);
    at = find(out, "Fragment loading../shaders/ParticleShadowForest/f_postprocessSSAO.cpp", at);
    at = find(out, "Fragment loading../shaders/ParticleShadowForest/f_Material1.cpp", at);
    at = find(out, "Fragment loading../shaders/ParticleShadowForest/f_Material12.cpp", at);
    at = find(out, "Fragment loading../shaders/ParticleShadowForest/f_Smog.cpp", at);
    at = find(out, "Vertex loading:../shaders/common/v_fixedObjb.cpp", at);
    at = find(out, "Fragment loading../shaders/common/f_fixedObjb3.cpp", at);
    at = find(out, std::string(88, '=') + "\n", at);
    EXPECT_EQ(out.size(), at + 89) << "the line of '=' ends the load";
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;

    EXPECT_EQ(g_weights, (std::vector<float>{2.0f, 1.0f, 1.0f}));
    EXPECT_EQ(scene->localTime, 0.3f);
    EXPECT_EQ(g_loadingForest, scene.get());
    EXPECT_EQ(g_treeClock, &scene->treeClock);
    EXPECT_EQ(scene->standingSamples.width, 800);
    EXPECT_EQ(scene->treeSystem.width, 1224);
    EXPECT_EQ(scene->standingSystem.width, 800);
    // Every program compiled (no red banner above) and linked.
    const GLuint programs[] = {scene->treeSystem.program,       scene->standingSystem.program,
                               scene->particleProgram.program,  scene->occlusionProgram.program,
                               scene->materialProgram.program,  scene->materialProgram2.program,
                               scene->smogProgram.program,      scene->meshProgram.program};
    for (GLuint program : programs) {
        GLint linked = 0;
        ASSERT_NE(program, 0u);
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        char log[4000] = {};
        glGetProgramInfoLog(program, sizeof log - 1, nullptr, log);
        EXPECT_EQ(linked, GL_TRUE) << log;
    }
    EXPECT_NE(scene->blankTexture, 0u);
    EXPECT_FALSE(scene->treeClock.started) << "the workers start with the first frame";

    // Each tree was built once and its texture holds the whole image: the trunk, last row,
    // starts at the tree's foot.
    for (int i = 0; i < 2; ++i) {
        const TTree& tree = scene->trees[i];
        ASSERT_EQ(tree.textureCreated, 1);
        ASSERT_EQ(tree.branches.size(), 259u);
        EXPECT_EQ(tree.seed, i);
        std::vector<float> image(ttree::kImageFloats, -1.0f);
        glBindTexture(GL_TEXTURE_2D, tree.texture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, image.data());
        const float* trunk = image.data() + 258 * 250 * 4;
        EXPECT_EQ(trunk[0], 4.0f * i - 2.0f) << "tree " << i;
        EXPECT_EQ(trunk[3], 0.0f);
        EXPECT_EQ(image[3], 3.0f) << "the first row is a twig";
        EXPECT_EQ(image[(258 * 250 + 249) * 4 + 1], tree.branches.back().points.back().y);
    }
}
