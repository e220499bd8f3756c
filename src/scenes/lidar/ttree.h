#pragma once
// TTree: a procedurally grown tree, rebuilt from scratch for a scene time. A trunk forks into
// branches over four generations; every branch is a chain of 250 points, and every branch
// of generations 0-2 starts six children (at steps 150, 200, 230, 245, 248 and 249), so a
// build holds 1 + 6 + 36 + 216 = 259 branches. The build is packed into an image of
// 250 x 259 RGBA floats: row r is branch r in finishing order (children before their
// parent, so the trunk is the last row), column k its point k, texel (x, y, z, generation).
//
//   TTree tree;
//   rebuildTree(tree, 0, sceneTime, TreeControls{});   // one build, packed into tree.pixels
//   tree.pixels = tree.images.publish();                // hand the whole image over
//   const float* image = tree.images.latest();          // reader side: the newest whole image
//
// Pure CPU work with a generator of its own (the C library's sequence, not its state), so
// builds on several threads never disturb each other. The worker threads that rebuild trees
// while the forest scene plays are in tree_workers.h.
#include <atomic>
#include <cstdint>
#include <vector>

#include "common/c_random.h"
#include "common/tvector.h"

struct TBranch {
    std::vector<TVector> points;  // root first
    std::vector<TVector> tags;    // (generation, 0, 0) per point
    std::vector<TVector> extra;   // all zero
    int32_t pointCount = 0;
};

namespace ttree {

constexpr int kStepsPerBranch = 250;   // image width
constexpr int kBranchesPerTree = 259;  // image height
constexpr int kImageFloats = kStepsPerBranch * kBranchesPerTree * 4;
constexpr int kCallsPerBuild = 1554;   // 258 branches + 1296 calls for generation 4
constexpr float kGrowthStopTime = 23.0f;

}  // namespace ttree

// The hand-over of whole packed images from one writer thread to one reader thread: three
// buffers, of which the writer owns one, the reader one and the third waits in between. The
// writer fills its buffer and publishes it (taking the waiting one back); the reader takes the
// newest published image. Neither ever sees a buffer the other is using.
class TreeImages {
public:
    TreeImages();
    // Writer: its current buffer becomes the newest image; returns the writer's next buffer.
    float* publish();
    // Reader: the newest image published so far (zeros before the first). Valid until the
    // next call.
    const float* latest();
    // Writer: its buffer before the first publish.
    float* firstBuffer() { return buffers_[writing_].data(); }

private:
    static constexpr uint32_t kFresh = 4;
    std::vector<float> buffers_[3];
    std::atomic<uint32_t> waiting_{1};  // index of the waiting buffer, | kFresh when unread
    uint32_t writing_ = 0;              // writer only
    uint32_t reading_ = 2;              // reader only
};

struct TTree {
    uint32_t texture = 0;               // GL, render thread only
    std::vector<TBranch> branches;      // the latest build, in finishing order
    float growth = 0.0f;
    int32_t seed = 0;
    float time = 0.0f;                  // scene time of the current build
    float* pixels = nullptr;            // the image being packed (the builder's buffer)
    uint8_t textureCreated = 0;         // render thread only
    std::atomic<uint8_t> ready{0};      // 1 once a worker has finished its last build
    int32_t callCount = 0;
    int32_t stepCount = 0;

    CRandom random;                     // this tree's own generator
    TreeImages images;                  // packed images, writer -> render thread
    std::vector<TBranch> spare;         // branches of the previous build, reused

    TTree() { pixels = images.firstBuffer(); }  // images is declared after pixels
    TTree(const TTree&) = delete;
    TTree& operator=(const TTree&) = delete;
};

// The engine values a build reads: the controller toggle (0 throughout the show) and the
// second controller value.
struct TreeControls {
    int32_t toggle = 0;
    float value = 0.0f;
};

namespace ttree {

// The growth value of a branch starting at `start` with generation g (before the clamp's
// effect on the step length): see buildBranch. Also returns the droop.
struct BranchGrowth {
    float growth;  // clamped to 0 .. 1
    float droop;
};
BranchGrowth branchGrowth(const TTree& tree, const TVector& start, int generation);

// Builds a branch from p along d (recursively its children), appending to tree.branches.
void buildBranch(TTree& tree, TVector p, TVector d, int generation);

// One pass of a worker's loop for tree `index` at scene time `sceneTime`: seeds, sets growth
// (0.15 t - 0.3 - 0.2 index) and time, rebuilds the tree from (4 index - 2, 0, 0) upwards and
// packs it into tree.pixels. Does not publish.
void rebuildTree(TTree& tree, int index, float sceneTime, const TreeControls& controls);

// Packs tree.branches into `image` (kImageFloats floats); texels no branch reaches are zero.
void packTree(const TTree& tree, float* image);

}  // namespace ttree
