#pragma once
// A temporary run tree laid out like the show's (<tree>/bin, shaders/, newresources/) for scene
// tests: the repository's GLSL installed by scripts/install-shaders, tiny meshes written by our
// own writer, and <tree>/bin as the working directory, so that "../shaders/..." and
// "../newresources/..." open what the test put there. The destructor restores the previous
// working directory and removes the tree.
//
//   testsupport::TempRunTree tree;
//   ASSERT_TRUE(tree.ready());
//   ASSERT_TRUE(tree.writeTriangle("newresources/island.objb", 5.0f));
//   scene->load();
//   tree.leave();   // optional: back to the previous working directory (enter() goes back in)
#include <filesystem>
#include <string>
#include <vector>

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

    // Writes `mesh` to <tree>/<name> (e.g. "newresources/island.objb") with our own writer,
    // making the folders on the way; false (and a gtest failure) when it cannot be written.
    bool writeMesh(const std::string& name, const ObjbMesh& mesh) const;
    bool writeTriangle(const std::string& name, float size) const { return writeMesh(name, tinyTriangle(size)); }

    void enter();  // the working directory becomes <tree>/bin (the constructor enters)
    void leave();  // back to where it was

private:
    TempDir dir_;
    std::filesystem::path previous_;
    bool ready_ = false;
    bool entered_ = false;
};

// Whether `items` occur in `text` in this order (each after the end of the one before); the
// first one missing is named in a gtest failure.
void expectInOrder(const std::string& text, const std::vector<std::string>& items);

}  // namespace testsupport
