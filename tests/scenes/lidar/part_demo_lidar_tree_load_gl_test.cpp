// The closing scene's load on a run tree of tiny meshes: the order of its prints and shader
// builds, its loading-screen weights, and the bake of a small landscape into points (and of
// a missing one into none).
#include "scenes/lidar/part_demo_lidar_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "formats/objb.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

// A square of ground from -half to half in x and z at height y, facing up.
void writeGround(const std::string& path, float half, float y) {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {-half, y, -half, half, y, -half, half, y, half, -half, y, half};
    part.normals = {0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 2, 1, 0, 3, 2};
    mesh.parts.push_back(part);
    ASSERT_TRUE(writeObjb(path, mesh));
}

struct LoadRun {
    std::string out;
    std::unique_ptr<Part_DEMOLidarTree> scene;
};

// Writes the scene's meshes into a temporary run tree (the landscape a 40 x 40 ground, when
// asked for) and loads the scene from its bin/ folder.
LoadRun loadScene(testsupport::TempRunTree& tree, bool withLandscape) {
    for (const char* name : {"standing", "agalma2", "bird", "qrbplane"})
        tree.writeTriangle(std::string("newresources/") + name + ".objb", 1.0f);
    if (withLandscape) writeGround(tree.file("newresources/lidar4.objb"), 20.0f, 0.5f);
    LoadRun run;
    run.scene = std::make_unique<Part_DEMOLidarTree>();
    static Data_Interface engine;
    engine.loaderCallback = recordWeight;
    run.scene->engine = &engine;
    g_weights.clear();
    tree.enter();
    testing::internal::CaptureStdout();
    run.scene->load();
    std::fflush(stdout);
    run.out = testing::internal::GetCapturedStdout();
    tree.leave();
    return run;
}

}  // namespace

TEST(PartDEMOLidarTreeLoad, OrderWeightsAndBake) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    const LoadRun run = loadScene(tree, true);
    const std::string& out = run.out;
    const std::string dir = "../shaders/DEMOLidarTree/";

    // The four programs built once, then the reload's eight, in order; the landscape between
    // its markers; then the bake program. No compile errors.
    testsupport::expectInOrder(out, {
        "Vertex loading:" + dir + "v_Material1green.cpp\n", "Vertex loading:" + dir + "v_Material1City.cpp\n",
        "Vertex loading:" + dir + "v_Material1Agalma.cpp\n", "Vertex loading:" + dir + "v_Material1Bird.cpp\n",
        "Fragment loading" + dir + "f_Material1Agalma.cpp\n",
        "Fragment loading" + dir + "f_postprocessSSAO.cpp\n", "Fragment loading" + dir + "f_ScreenSpaceEffect.cpp\n",
        "Fragment loading../shaders/common/f_fixedtexture4c.cpp\n", "Fragment loading" + dir + "f_MaterialRenderer1.cpp\n",
        "Fragment loading" + dir + "f_Material1.cpp\n", "Vertex loading:" + dir + "v_Material1City2.cpp\n",
        "Fragment loading" + dir + "f_postprocessSSAO_post.cpp\n", "Fragment loading" + dir + "f_blur.cpp\n",
        "\n1 \n", "\n2 \n", "Vertex loading:" + dir + "v_Material1.cpp\n", "lidartree: baked ",
    });
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;

    const std::vector<float> expected = {2.0f, 1.0f, 1.0f, 1.0f, 1.0f, 2.0f, 10.0f};
    EXPECT_EQ(g_weights, expected);
    float total = 0.0f;
    for (float w : g_weights) total += w;
    EXPECT_FLOAT_EQ(total, 18.0f);

    // The bake: a 40 x 40 ground seen from the ring keeps a good share of its texels, all on
    // the ground, with an open-sky occlusion term.
    const Part_DEMOLidarTree& scene = *run.scene;
    EXPECT_GT(scene.bakedPoints.count, 100000);
    EXPECT_LT(scene.bakedPoints.count, 60 * 1000 * 1000 / 3);
    EXPECT_NE(scene.bakedPoints.vbo, 0u);
    std::vector<float> points(static_cast<size_t>(scene.bakedPoints.count) * 4);
    glBindBuffer(GL_ARRAY_BUFFER, scene.bakedPoints.vbo);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(points.size() * sizeof(float)), points.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    float lo[4] = {1e9f, 1e9f, 1e9f, 1e9f}, hi[4] = {-1e9f, -1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i < points.size(); ++i) {
        lo[i % 4] = std::min(lo[i % 4], points[i]);
        hi[i % 4] = std::max(hi[i % 4], points[i]);
    }
    EXPECT_GE(lo[0], -20.01f);
    EXPECT_LE(hi[0], 20.01f);
    EXPECT_NEAR(lo[1], 0.5f, 0.01f);
    EXPECT_NEAR(hi[1], 0.5f, 0.01f);
    EXPECT_GE(lo[2], -20.01f);
    EXPECT_LE(hi[2], 20.01f);
    EXPECT_GT(hi[2] - lo[2], 20.0f) << "the ring sees the ground all round";
    EXPECT_GT(lo[3], 5.0f);
    EXPECT_LE(hi[3], 10.0f);
    EXPECT_TRUE(scene.bake.readBack.empty()) << "the read-back image is released after the bake";
}

TEST(PartDEMOLidarTreeLoad, MissingLandscapeBakesNoPoints) {
    REQUIRE_GL_CONTEXT();
    testsupport::TempRunTree tree;
    const LoadRun run = loadScene(tree, false);
    EXPECT_EQ(run.scene->bakedPoints.count, 0);
    EXPECT_NE(run.out.find("lidar4.objb"), std::string::npos) << "the missing mesh is named";
    float total = 0.0f;
    for (float w : g_weights) total += w;
    EXPECT_FLOAT_EQ(total, 18.0f);
}
