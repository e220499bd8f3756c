#pragma once
// A temporary run tree laid out like the show's (<tree>/bin, shaders/, newresources/) for scene
// tests: the repository's GLSL installed by scripts/install-shaders, tiny meshes written by our
// own writer, and <tree>/bin as the working directory, so that "../shaders/..." and
// "../newresources/..." open what the test put there. The destructor restores the previous
// working directory and removes the tree.
//
//   testsupport::TempRunTree tree;
//   ASSERT_TRUE(tree.ready());
//   ASSERT_TRUE(tree.writeTriangle("island.objb", 5.0f));   // <tree>/newresources/island.objb
//   scene->load();
#include <filesystem>
#include <string>

#include "formats/objb.h"
#include "support/temp_dir.h"

namespace testsupport {

// One triangle of `size` file units standing on y = 0, with normals (+z) and white colours.
ObjbMesh tinyTriangle(float size);

class TempRunTree {
public:
    // Records a test failure (and ready() is false) when the tree cannot be made.
    TempRunTree();
    ~TempRunTree();
    TempRunTree(const TempRunTree&) = delete;
    TempRunTree& operator=(const TempRunTree&) = delete;

    // The shaders are installed and <tree>/bin is the working directory.
    bool ready() const { return ready_; }

    const std::filesystem::path& path() const { return dir_.path(); }
    std::string file(const std::string& relative) const { return dir_.file(relative); }
    std::string shaders() const { return file("shaders"); }

    // Writes `mesh` to <tree>/newresources/<name> with our own writer, making the folders on
    // the way; false when it cannot be written.
    bool writeMesh(const std::string& name, const ObjbMesh& mesh) const;
    bool writeTriangle(const std::string& name, float size) const { return writeMesh(name, tinyTriangle(size)); }

private:
    TempDir dir_;
    std::filesystem::path previous_;
    bool ready_ = false;
};

}  // namespace testsupport
