#pragma once
// A temporary run tree for scene load tests: <tree>/bin (the working directory while the tree
// is entered), <tree>/shaders installed from the repository's content/shaders, and
// <tree>/newresources for tiny meshes written by our own writer. Removed at scope end; the
// working directory is restored when the tree is left (or destroyed).
//
//   testsupport::TempRunTree tree;
//   tree.writeTriangle("newresources/fallers.objb", 0.01f);
//   tree.enter();
//   scene->load();
//   tree.leave();
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testsupport {

class TempRunTree {
public:
    TempRunTree();   // records a gtest failure when the shaders cannot be installed
    ~TempRunTree();

    std::string file(const std::string& name) const { return dir_.file(name); }
    const std::filesystem::path& path() const { return dir_.path(); }

    // One right triangle with legs of `size` file units in the xy plane, standing on y = 0,
    // facing +z, white, as a one-part ".objb".
    void writeTriangle(const std::string& name, float size) const;

    void enter();   // the working directory becomes <tree>/bin
    void leave();   // back to where it was

private:
    TempDir dir_;
    std::filesystem::path previous_;
    bool entered_ = false;
};

// Whether `items` occur in `text` in this order (each after the end of the one before); the
// first one missing is named in a gtest failure.
void expectInOrder(const std::string& text, const std::vector<std::string>& items);

}  // namespace testsupport
