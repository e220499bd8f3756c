#include "support/temp_run_tree.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace testsupport {

ObjbMesh tinyTriangle(float size) {
    ObjbMesh mesh;
    mesh.hasColours = mesh.hasNormals = true;
    MeshPart part;
    part.positions = {0, 0, 0, size, 0, 0, 0, size, 0};
    part.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    part.colours = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    part.indices = {0, 1, 2};
    mesh.parts.push_back(part);
    return mesh;
}

TempRunTree::TempRunTree() {
    std::error_code ec;
    fs::create_directories(path() / "bin", ec);
    fs::create_directories(path() / "newresources", ec);
    if (ec) {
        ADD_FAILURE() << "cannot make the run tree in " << path() << ": " << ec.message();
        return;
    }
    const std::string install = std::string(VELLUNA_SOURCE_DIR) + "/scripts/install-shaders " + VELLUNA_SOURCE_DIR +
                                "/content/shaders " + shaders() + " >/dev/null";
    const int status = std::system(install.c_str());
    if (status != 0) {
        ADD_FAILURE() << "scripts/install-shaders failed (status " << status << ") into " << shaders();
        return;
    }
    enter();
    ready_ = entered_;
}

TempRunTree::~TempRunTree() { leave(); }

void TempRunTree::enter() {
    if (entered_) return;
    std::error_code ec;
    previous_ = fs::current_path(ec);
    fs::current_path(path() / "bin", ec);
    if (ec) {
        ADD_FAILURE() << "cannot enter " << path() / "bin" << ": " << ec.message();
        return;
    }
    entered_ = true;
}

void TempRunTree::leave() {
    if (!entered_) return;
    std::error_code ec;
    fs::current_path(previous_, ec);
    entered_ = false;
}

bool TempRunTree::writeMesh(const std::string& name, const ObjbMesh& mesh) const {
    const fs::path target = path() / name;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const bool written = writeObjb(target.string(), mesh);
    EXPECT_TRUE(written) << "cannot write " << target;
    return written;
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
