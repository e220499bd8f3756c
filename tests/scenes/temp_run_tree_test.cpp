// The scene tests' run tree: laid out as the show's, entered, and gone afterwards.
#include "support/temp_run_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/objb.h"

namespace fs = std::filesystem;

TEST(TempRunTree, InstallsShadersWritesMeshesAndEntersBin) {
    const fs::path before = fs::current_path();
    fs::path root;
    {
        testsupport::TempRunTree tree;
        ASSERT_TRUE(tree.ready());
        root = tree.path();
        EXPECT_EQ(fs::current_path(), fs::canonical(root / "bin"));
        // Installed as the show installs them: a ".cpp" name, and the case links.
        EXPECT_TRUE(fs::is_regular_file("../shaders/ParticleShadow/ComputeShader1.cpp"));
        EXPECT_TRUE(fs::exists("../shaders/particleShadow/v_particles.cpp"));

        ASSERT_TRUE(tree.writeTriangle("newresources/walkers2/mesh.0001.objb", 3.0f));
        ObjbMesh mesh;
        std::string error;
        ASSERT_TRUE(readObjb("../newresources/walkers2/mesh.0001.objb", mesh, error)) << error;
        ASSERT_EQ(mesh.parts.size(), 1u);
        EXPECT_EQ(mesh.parts[0].positions, testsupport::tinyTriangle(3.0f).parts[0].positions);
        EXPECT_TRUE(mesh.hasNormals && mesh.hasColours);
    }
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_FALSE(fs::exists(root));
}
