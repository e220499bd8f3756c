// The two scan scenes' loads on a run tree of tiny content: the programs in their order (and
// that every one of them compiles), the loading-screen weights, the clouds and samples they
// end with, and the clock they leave.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/data_interface.h"
#include "formats/camera_path.h"
#include "formats/objb.h"
#include "formats/point_cloud_file.h"
#include "scenes/lidar/part_lidar_ao.h"
#include "scenes/lidar/part_lidar_ao_start.h"
#include "support/gl_context.h"
#include "support/temp_run_tree.h"

namespace {

std::vector<float> g_weights;
void recordWeight(float weight) { g_weights.push_back(weight); }

// A temporary run tree: shaders installed from the repository, a path, a town of three points
// and a statue of one triangle; the working directory is its bin/ while a test runs.
class ScanRunTree : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tree.ready());
        std::vector<PathRecord> path(100);
        for (size_t i = 0; i < path.size(); ++i) path[i] = {float(i), float(i) * 0.5f, 1.0f, 0.0, 0.0};
        ASSERT_TRUE(writePathRecords(tree.file("newresources/try1.sav"), path));
        const float lo[3] = {-0.03f, -0.002f, -0.03f}, hi[3] = {0.03f, 0.02f, 0.03f};
        ASSERT_TRUE(writeCompressedPointCloud(tree.file("newresources/smalltown2.ascbbcomp"), lo, hi,
                                              {0, 0, 0, 0, 65535, 65535, 65535, 65535, 100, 200, 300, 400}));
        ObjbMesh mesh;
        mesh.hasColours = mesh.hasNormals = true;
        MeshPart part;
        part.positions = {0, 0, -5, 40, 0, -5, 0, 90, -5};
        part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
        part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1};
        part.indices = {0, 1, 2};
        mesh.parts.push_back(part);
        ASSERT_TRUE(tree.writeMesh("newresources/agalma2.objb", mesh));
        engine.loaderCallback = recordWeight;
        g_weights.clear();
    }

    // The programs' paths in the order the log names them.
    static std::vector<std::string> loadedPaths(const std::string& log) {
        std::vector<std::string> paths;
        size_t at = 0;
        for (;;) {
            const size_t next = log.find("../shaders/", at);
            if (next == std::string::npos) return paths;
            const size_t end = log.find('\n', next);
            paths.push_back(log.substr(next, end - next));
            at = end;
        }
    }

    testsupport::TempRunTree tree;
    Data_Interface engine;
};

}  // namespace

TEST_F(ScanRunTree, LidarAOStartLoadsTheTown) {
    REQUIRE_GL_CONTEXT();
    auto scene = std::make_unique<Part_LidarAOStart>();
    scene->engine = &engine;
    testing::internal::CaptureStdout();
    scene->load();
    scene->finishLoad();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();

    const std::vector<std::string> expected = {
        "../shaders/common/v_fixed2.cpp",          "../shaders/common/f_fixedtexture2.cpp",
        "../shaders/LidarAOStart/v_Material1.cpp", "../shaders/LidarAOStart/f_Material1.cpp",
        "../shaders/LidarAOStart/v_Material1Trees.cpp", "../shaders/LidarAOStart/f_Material1.cpp",
        "../shaders/LidarAOStart/v_particles.cpp", "../shaders/LidarAOStart/f_particles.cpp",
        "../shaders/LidarAOStart/v_postprocess.cpp", "../shaders/LidarAOStart/f_postprocessSSAO.cpp",
        "../shaders/LidarAOStart/v_smog.cpp",      "../shaders/LidarAOStart/f_Smog.cpp",
        "../shaders/LidarAOStart/1/v_blur.cpp",    "../shaders/LidarAOStart/1/f_blur.cpp",
        "../shaders/LidarAOStart/1/v_postprocess.cpp", "../shaders/LidarAOStart/1/f_postprocessSSAO.cpp",
    };
    EXPECT_EQ(loadedPaths(out), expected);
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
    EXPECT_EQ(out.find("\033[2J"), std::string::npos) << "a log into a pipe gets no clear-screen";
    EXPECT_EQ(g_weights, std::vector<float>{1.0f});

    EXPECT_EQ(scene->townCloud.count, 3);
    EXPECT_NE(scene->townCloud.vao, 0u);
    // The points live in the buffer only; the second point is the maximum corner.
    EXPECT_TRUE(scene->townCloud.points.empty());
    float second[4] = {};
    glBindBuffer(GL_ARRAY_BUFFER, scene->townCloud.vbo);
    glGetBufferSubData(GL_ARRAY_BUFFER, 16, 16, second);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_FLOAT_EQ(second[0], 0.03f);
    EXPECT_EQ(scene->cameraPath.count(), 100);
    EXPECT_EQ(scene->localTime, 0.0f);
    EXPECT_NE(scene->materialProgram.program, 0u);
}

TEST_F(ScanRunTree, LidarAOLoadsAndFinishesTheStatue) {
    REQUIRE_GL_CONTEXT();
    auto scene = std::make_unique<Part_LidarAO>();
    scene->engine = &engine;
    testing::internal::CaptureStdout();
    scene->load();
    EXPECT_EQ(g_loadingLidarAO, scene.get());
    EXPECT_TRUE(g_lidarAOWorker.running());
    scene->finishLoad();
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();

    const std::vector<std::string> expected = {
        "../shaders/common/v_fixed4b.cpp",            "../shaders/common/f_fixedtexture4b.cpp",
        "../shaders/LidarAO/v_Material1.cpp",         "../shaders/LidarAO/f_Material1.cpp",
        "../shaders/LidarAO/v_Material1Trees.cpp",    "../shaders/LidarAO/f_Material1.cpp",
        "../shaders//LidarAO/ComputeShader1.cpp",
        "../shaders/LidarAO/v_particles.cpp",         "../shaders/LidarAO/f_particles.cpp",
        "../shaders/LidarAO/v_postprocess.cpp",       "../shaders/LidarAO/f_postprocessSSAO.cpp",
        "../shaders/LidarAO/v_postprocess.cpp",       "../shaders/LidarAO/f_postprocessSSAOFlow.cpp",
        "../shaders/LidarAO/v_smog.cpp",              "../shaders/LidarAO/f_Smog.cpp",
        "../shaders/LidarAO/1/v_blur.cpp",            "../shaders/LidarAO/1/f_blur.cpp",
        "../shaders/LidarAO/1/v_postprocess.cpp",     "../shaders/LidarAO/1/f_postprocessSSAO.cpp",
    };
    EXPECT_EQ(loadedPaths(out), expected);
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
    EXPECT_TRUE(g_weights.empty()) << "the park scene reports nothing to the loading screen";

    EXPECT_FALSE(g_lidarAOWorker.running());
    EXPECT_EQ(scene->statueSamples.width, 1000);
    EXPECT_GT(scene->statueSamples.filledCount, 0);
    EXPECT_TRUE(scene->statueSamples.positions.empty()) << "the upload frees the CPU arrays";
    EXPECT_EQ(scene->statueSystem.width, 1000);
    EXPECT_NE(scene->statueSystem.program, 0u);
    EXPECT_EQ(scene->localTime, 0.4f);
}
