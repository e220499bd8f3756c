#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "formats/objb.h"
#include "generator/meshes/assets.h"
#include "generator/meshes/budget.h"
#include "generator/meshes/objb_out.h"
#include "generator/meshes/walkers.h"
#include "support/temp_dir.h"

namespace {

// The small set, built once for all the tests below, and written to a temp folder.
class ShowMeshes : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::TempDir();
        for (const kit::MeshAsset& a : kit::meshAssets()) {
            built_[a.file] = kit::buildFinal(a, true);
            std::string name = a.file;
            for (char& c : name)
                if (c == '/') c = '_';
            paths_[a.file] = dir_->file(name);
            kit::writeMesh(paths_[a.file], built_[a.file]);
        }
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static testsupport::TempDir* dir_;
    static std::map<std::string, kit::Mesh> built_;
    static std::map<std::string, std::string> paths_;
};
testsupport::TempDir* ShowMeshes::dir_ = nullptr;
std::map<std::string, kit::Mesh> ShowMeshes::built_;
std::map<std::string, std::string> ShowMeshes::paths_;

TEST_F(ShowMeshes, EveryFileTheShowOpensIsMade) {
    std::vector<std::string> wanted = {"agalma3.objb", "agalma3simple.objb", "agalma3cut.objb", "agalma2.objb", "cupidhead.objb",
                                       "island.objb", "peoplerow.objb", "sceneboat.objb", "gto.objb", "headsgarbled.objb",
                                       "eyes.objb", "standing.objb", "standing3.objb", "buffalo.objb", "cheetah2.objb",
                                       "people.objb", "fallers.objb", "bird.objb", "qrbplane.objb", "velluna.objb", "lidar4.objb"};
    for (int i = 1; i <= 56; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "walkers2/mesh.%04d.objb", i);
        wanted.push_back(name);
    }
    for (const std::string& w : wanted) EXPECT_EQ(built_.count(w), 1u) << w;
    EXPECT_EQ(built_.size(), wanted.size());
}

// Each file reads back through the show's reader with sound data.
TEST_F(ShowMeshes, RoundTripThroughTheReader) {
    for (const auto& [file, mesh] : built_) {
        ObjbMesh back;
        std::string error;
        ASSERT_TRUE(readObjb(paths_[file], back, error)) << error;
        EXPECT_TRUE(back.hasNormals && back.hasColours) << file;
        ASSERT_EQ(back.parts.size(), mesh.parts.size()) << file;
        EXPECT_LE(back.parts.size(), 200u) << file;
        EXPECT_GE(back.parts.size(), 1u) << file;
        for (size_t p = 0; p < back.parts.size(); ++p) {
            const MeshPart& part = back.parts[p];
            ASSERT_EQ(size_t(part.numVertices()), mesh.parts[p].pos.size()) << file;
            ASSERT_EQ(size_t(part.numIndices()), mesh.parts[p].idx.size()) << file;
            EXPECT_GT(part.numIndices(), 0) << file << " part " << p;
            EXPECT_EQ(part.numIndices() % 3, 0) << file;
            int bad = 0;
            for (float v : part.positions) bad += !std::isfinite(v);
            for (float c : part.colours) bad += !(c >= -1.0f && c <= 1.0f);
            for (size_t i = 0; i + 2 < part.normals.size(); i += 3) {
                const float l = std::sqrt(part.normals[i] * part.normals[i] + part.normals[i + 1] * part.normals[i + 1] +
                                          part.normals[i + 2] * part.normals[i + 2]);
                bad += !(std::fabs(l - 1.0f) < 1e-3f);
            }
            for (uint32_t i : part.indices) bad += i >= uint32_t(part.numVertices());
            EXPECT_EQ(bad, 0) << file << " part " << p;
        }
    }
}

// Closed parts are wound outward: their signed volume is positive. (The water, the island and
// the landscape's ground are open surfaces wound upward.)
TEST_F(ShowMeshes, ClosedPartsWindOutward) {
    for (const auto& [file, mesh] : built_) {
        for (size_t p = 0; p < mesh.parts.size(); ++p) {
            if (file == "island.objb" || ((file == "lidar4.objb" || file == "sceneboat.objb") && p == 0)) continue;
            const kit::Part& part = mesh.parts[p];
            double volume = 0;
            for (size_t t = 0; t + 2 < part.idx.size(); t += 3)
                volume += kit::dot(part.pos[part.idx[t]], kit::cross(part.pos[part.idx[t + 1]], part.pos[part.idx[t + 2]])) / 6.0;
            EXPECT_GT(volume, 0.0) << file << " part " << p;
        }
    }
    // The open surfaces face up.
    for (const char* file : {"island.objb", "lidar4.objb", "sceneboat.objb"}) {
        const kit::Part& ground = built_[file].parts[0];
        double up = 0;
        for (const kit::Vec3& n : ground.nrm) up += n.y;
        EXPECT_GT(up / double(ground.nrm.size()), 0.5) << file;
    }
}

TEST_F(ShowMeshes, StandingHasAPartPerFigure) { EXPECT_GE(built_["standing.objb"].parts.size(), 18u); }

// Every scatter set fills 60-100 % of its grid, as the scatter would count it.
TEST_F(ShowMeshes, EveryScatterSetWithinItsBudget) {
    for (const kit::ScatterSet& set : kit::scatterSets()) {
        ASSERT_EQ(built_.count(set.file), 1u) << set.file;
        const kit::Prediction p = kit::predict(built_[set.file], set);
        EXPECT_TRUE(p.withinBand()) << set.name << " (" << set.file << "): " << p.points << " points for " << p.grid << " texels";
    }
}

// Feet on the ground and y up: every figure, animal and group stands on y = 0.
TEST_F(ShowMeshes, StandOnTheGround) {
    for (const char* file : {"walkers2/mesh.0001.objb", "walkers2/mesh.0030.objb", "standing.objb", "standing3.objb", "people.objb",
                             "buffalo.objb", "cheetah2.objb"}) {
        const kit::Box b = kit::bounds(built_[file]);
        EXPECT_NEAR(b.lo.y, 0.0f, 0.02f * b.size().y) << file;
        EXPECT_GT(b.size().y, 0.0f) << file;
    }
    const kit::Box walker = kit::bounds(built_["walkers2/mesh.0001.objb"]);
    EXPECT_NEAR(walker.size().y, 175.0f, 5.0f);
}

// The walk cycle loops: frame 56 flows into frame 1 as any frame flows into the next.
TEST(WalkCycle, LoopsWithoutAJump) {
    auto step = [](int a, int b) {
        const kit::Joints ja = kit::walkerJoints(a), jb = kit::walkerJoints(b);
        float worst = 0;
        for (int s = 0; s < 2; ++s)
            for (auto member : {&kit::Joints::wrist, &kit::Joints::ankle, &kit::Joints::toe, &kit::Joints::knee})
                worst = std::max(worst, kit::length((ja.*member)[s] - (jb.*member)[s]));
        worst = std::max(worst, kit::length(ja.head - jb.head));
        return worst;
    };
    float largest = 0, smallest = 1e9f;
    for (int f = 1; f < kit::kWalkFrames; ++f) {
        largest = std::max(largest, step(f, f + 1));
        smallest = std::min(smallest, step(f, f + 1));
    }
    const float wrap = step(kit::kWalkFrames, 1);
    EXPECT_LE(wrap, largest * 1.05f);
    EXPECT_GE(wrap, smallest * 0.95f);
    EXPECT_LT(largest, 12.0f);  // centimetres per frame: a smooth cycle
    // The two feet are half a cycle apart.
    const kit::Joints a = kit::walkerJoints(1), b = kit::walkerJoints(29);
    EXPECT_NEAR(a.ankle[kit::kLeft].z, b.ankle[kit::kRight].z, 1.0f);
}

// The same commit makes the same bytes.
TEST_F(ShowMeshes, Deterministic) {
    testsupport::TempDir again;
    for (const char* file : {"walkers2/mesh.0017.objb", "people.objb", "headsgarbled.objb", "lidar4.objb", "velluna.objb"}) {
        const std::string path = again.file("again.objb");
        kit::writeMesh(path, kit::buildFinal(*kit::findMeshAsset(file), true));
        std::ifstream x(paths_[file], std::ios::binary), y(path, std::ios::binary);
        const std::string a((std::istreambuf_iterator<char>(x)), std::istreambuf_iterator<char>());
        const std::string b((std::istreambuf_iterator<char>(y)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(a == b) << file;
        EXPECT_GT(a.size(), 1000u) << file;
    }
}

}  // namespace
