#include "scenes/lidar/ttree.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

// [SECTION] Image hand-over

TreeImages::TreeImages() {
    for (std::vector<float>& b : buffers_) b.assign(ttree::kImageFloats, 0.0f);
}

float* TreeImages::publish() {
    const uint32_t previous = waiting_.exchange(writing_ | kFresh, std::memory_order_acq_rel);
    writing_ = previous & ~kFresh;
    return buffers_[writing_].data();
}

const float* TreeImages::latest() {
    // Only the writer sets the fresh mark and only the reader clears it, so a mark seen here
    // is still there at the exchange (perhaps on an even newer image).
    if (waiting_.load(std::memory_order_acquire) & kFresh) {
        const uint32_t previous = waiting_.exchange(reading_, std::memory_order_acq_rel);
        reading_ = previous & ~kFresh;
    }
    return buffers_[reading_].data();
}

namespace ttree {

namespace {

constexpr float kCaps[4] = {0.9f, 0.6f, 0.3f, 0.2f};

bool isForkStep(int n) { return n == 150 || n == 200 || n == 230 || n == 245 || n == 248 || n == 249; }

// A draw as the builder's formulas use it: rand() / 32767 * 2 - 1, from 15 bits.
float signedDraw(CRandom& random) { return random.unit15() * 2.0f - 1.0f; }

// A branch to fill: one from the previous build when there is one, so that a rebuild
// reuses the memory of the last.
TBranch takeBranch(TTree& tree) {
    TBranch b;
    if (!tree.spare.empty()) {
        b = std::move(tree.spare.back());
        tree.spare.pop_back();
    }
    b.points.clear();
    b.tags.clear();
    b.extra.clear();
    b.points.reserve(kStepsPerBranch);
    b.tags.reserve(kStepsPerBranch);
    b.extra.reserve(kStepsPerBranch);
    b.pointCount = 0;
    return b;
}

// The direction of a child branch forking off a branch heading along d: across the parent,
// bent toward it and toward the sky (twigs strongly), lowered by the droop, as long as d.
TVector childDirection(const TVector& q, const TVector& d, int generation, float droop) {
    TVector qn = q;
    qn.normalize();
    TVector dn = d;
    dn.normalize();
    const TVector up(0.0f, 1.0f, 0.0f);
    TVector x = cross(qn, dn);
    x = cross(x, dn);
    x.normalize();
    x = cross(x, dn);
    x.normalize();
    x = x + (dn - x) * 0.3f;
    x = x + (up - x) * 0.3f;
    if (generation > 2) x = x + (up - x) * 0.7f;
    x = x + TVector(0.0f, -3.0f * droop, 0.0f);
    x.normalize();
    return x * d.length();
}

}  // namespace

BranchGrowth branchGrowth(const TTree& tree, const TVector& start, int generation) {
    const double base = static_cast<double>(tree.growth) - static_cast<double>(start.y) * 0.2;
    const double calls = tree.callCount * 0.0003;
    double a = 0.0;
    double droop = 0.0;
    if (tree.time >= 15.0f) {
        const double t = tree.time;
        droop = std::max(0.0, ((t - 16.0) + generation) * 0.02);
        a = (base - (t - 15.0) * 0.3) - generation * 0.3 + calls;
    } else {
        a = base - generation * 0.3 + calls;
    }
    a = std::min(std::max(a, 0.0), 1.0);
    return {static_cast<float>(a), static_cast<float>(droop)};
}

void buildBranch(TTree& tree, TVector p, TVector d, int g) {
    const BranchGrowth growth = branchGrowth(tree, p, g);
    const float a = growth.growth;
    d = d * std::min(a, kCaps[std::min(g, 3)]);

    if (g == 0) {
        tree.callCount = 0;
    } else {
        ++tree.callCount;
        if (g > 3) return;
    }

    tree.random.next();  // drawn and not used
    TBranch branch = takeBranch(tree);
    const float gf = static_cast<float>(g);
    for (int n = 0; n < kStepsPerBranch; ++n) {
        ++tree.stepCount;
        const bool turn = n % 2 == 0;
        float angleX = 0.0f, angleY = 0.0f, angleZ = 0.0f;
        if (turn) {
            const float r1 = signedDraw(tree.random);
            const float r2 = signedDraw(tree.random);
            const float r3 = signedDraw(tree.random);
            const float calls = static_cast<float>(tree.callCount) * 0.02f;
            float w = std::sin(tree.time * 0.4f + calls + gf * 0.2f) * 0.003f * (gf + 1.0f) * 0.2f + r3 * 0.09f;
            if (g == 0) {
                const float along = static_cast<float>(n) / 100.0f;
                w += std::sin(tree.time * 0.7f + static_cast<float>(n) * 0.02f + calls) * (along * 0.03f) * 0.2f;
                w -= a * a * a * along * 0.015f;
            }
            angleX = r1 * 0.09f * a;
            angleY = r2 * 0.09f;
            angleZ = w * (3.0f - 2.0f * a);
            if (g == 0) {
                angleX *= 0.2f;
                angleY *= 0.2f;
                angleZ *= 0.2f;
            }
        }

        p = p + d;
        branch.points.push_back(p);
        branch.tags.emplace_back(gf, 0.0f, 0.0f);
        branch.extra.emplace_back(0.0f, 0.0f, 0.0f);
        ++branch.pointCount;

        // NOTE: the turn is Rx(angleX) * Ry(angleY) * Rz(angleZ) applied to d; the angles
        // are a few hundredths of a radian, so the order hardly shows.
        if (turn) d = eulerRotation(angleX, angleY, angleZ) * d;

        const float r4 = signedDraw(tree.random);
        const float r5 = signedDraw(tree.random);
        const float r6 = signedDraw(tree.random);
        if (isForkStep(n)) buildBranch(tree, p, childDirection(TVector(r6, r5, r4), d, g, growth.droop), g + 1);
    }
    tree.branches.push_back(std::move(branch));
}

void rebuildTree(TTree& tree, int index, float sceneTime, const TreeControls& controls) {
    tree.random.seed(static_cast<uint32_t>(tree.seed + controls.toggle));
    tree.growth = controls.value;
    if (controls.toggle > -1) {
        const int32_t s = tree.seed;
        tree.growth = static_cast<float>(static_cast<double>(sceneTime) * 0.15 - 0.3 - index * 0.2);
        tree.random.seed(static_cast<uint32_t>(s + 2));
    }
    tree.time = sceneTime;
    tree.seed = index;

    for (TBranch& b : tree.branches) tree.spare.push_back(std::move(b));
    tree.branches.clear();
    tree.branches.reserve(kBranchesPerTree);

    tree.stepCount = 0;
    buildBranch(tree, TVector(4.0f * static_cast<float>(index) - 2.0f, 0.0f, 0.0f), TVector(0.0f, 0.01f, 0.0f), 0);
    packTree(tree, tree.pixels);
}

void packTree(const TTree& tree, float* image) {
    const int rows = std::min(static_cast<int>(tree.branches.size()), kBranchesPerTree);
    for (int r = 0; r < rows; ++r) {
        const TBranch& b = tree.branches[static_cast<size_t>(r)];
        const int columns = std::min({static_cast<int>(b.points.size()), static_cast<int>(b.tags.size()), kStepsPerBranch});
        float* row = image + static_cast<size_t>(r) * kStepsPerBranch * 4;
        for (int k = 0; k < columns; ++k) {
            row[k * 4 + 0] = b.points[static_cast<size_t>(k)].x;
            row[k * 4 + 1] = b.points[static_cast<size_t>(k)].y;
            row[k * 4 + 2] = b.points[static_cast<size_t>(k)].z;
            row[k * 4 + 3] = b.tags[static_cast<size_t>(k)].x;
        }
        std::memset(row + columns * 4, 0, static_cast<size_t>(kStepsPerBranch - columns) * 4 * sizeof(float));
    }
    std::memset(image + static_cast<size_t>(rows) * kStepsPerBranch * 4, 0,
                static_cast<size_t>(kBranchesPerTree - rows) * kStepsPerBranch * 4 * sizeof(float));
}

}  // namespace ttree
