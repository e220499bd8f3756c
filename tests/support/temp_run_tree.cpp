#include "support/temp_run_tree.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/objb.h"

namespace testsupport {

TempRunTree::TempRunTree() {
    namespace fs = std::filesystem;
    fs::create_directories(dir_.path() / "bin");
    fs::create_directories(dir_.path() / "newresources");
    const std::string install = std::string(VELLUNA_SOURCE_DIR) + "/scripts/install-shaders " +
                                VELLUNA_SOURCE_DIR + "/content/shaders " + dir_.file("shaders") + " >/dev/null";
    EXPECT_EQ(std::system(install.c_str()), 0) << "could not install the shaders";
}

TempRunTree::~TempRunTree() { leave(); }

void TempRunTree::writeTriangle(const std::string& name, float size) const {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {0, 0, 0, size, 0, 0, 0, size, 0};
    part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 1, 2};
    mesh.parts.push_back(part);
    std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
    EXPECT_TRUE(writeObjb(file(name), mesh)) << name;
}

void TempRunTree::enter() {
    if (entered_) return;
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path() / "bin");
    entered_ = true;
}

void TempRunTree::leave() {
    if (!entered_) return;
    std::filesystem::current_path(previous_);
    entered_ = false;
}

void expectInOrder(const std::string& text, const std::vector<std::string>& items) {
    size_t at = 0;
    for (const std::string& item : items) {
        const size_t found = text.find(item, at);
        if (found == std::string::npos) {
            ADD_FAILURE() << "missing, or out of order: " << item;
            return;
        }
        at = found + item.size();
    }
}

}  // namespace testsupport
