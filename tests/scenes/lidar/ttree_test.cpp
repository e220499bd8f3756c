// The tree builder: the shape of a build, the growth values, repeatability across threads,
// and the hand-over of whole images between threads.
#include "scenes/lidar/ttree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "scenes/lidar/tree_workers.h"

using namespace ttree;

namespace {

// A tree as the forest's load leaves it: its seed is its index and it was built once.
std::unique_ptr<TTree> builtTree(int index, float time) {
    auto tree = std::make_unique<TTree>();
    tree->seed = index;
    rebuildTree(*tree, index, time, TreeControls{});
    return tree;
}

const float* texel(const float* image, int row, int column) { return image + (row * kStepsPerBranch + column) * 4; }

}  // namespace

TEST(TTree, ABuildIs259BranchesOf250PointsPackedWhole) {
    auto tree = builtTree(0, 9.0f);
    ASSERT_EQ(tree->branches.size(), 259u);
    int generations[4] = {};
    for (const TBranch& b : tree->branches) {
        ASSERT_EQ(b.pointCount, 250);
        ASSERT_EQ(b.points.size(), 250u);
        ASSERT_EQ(b.tags.size(), 250u);
        ASSERT_EQ(b.extra.size(), 250u);
        ++generations[static_cast<int>(b.tags[0].x)];
    }
    EXPECT_EQ(generations[0], 1);
    EXPECT_EQ(generations[1], 6);
    EXPECT_EQ(generations[2], 36);
    EXPECT_EQ(generations[3], 216);
    EXPECT_EQ(tree->stepCount, 259 * 250);
    EXPECT_EQ(tree->callCount, kCallsPerBuild);

    // Every texel holds its branch's point and generation; the trunk is the last row.
    const float* image = tree->pixels;
    for (int r = 0; r < kBranchesPerTree; ++r) {
        const TBranch& b = tree->branches[static_cast<size_t>(r)];
        for (int k = 0; k < kStepsPerBranch; ++k) {
            const float* t = texel(image, r, k);
            ASSERT_EQ(t[0], b.points[static_cast<size_t>(k)].x);
            ASSERT_EQ(t[1], b.points[static_cast<size_t>(k)].y);
            ASSERT_EQ(t[2], b.points[static_cast<size_t>(k)].z);
            ASSERT_EQ(t[3], b.tags[0].x);
        }
    }
    EXPECT_EQ(texel(image, 258, 0)[3], 0.0f);
    EXPECT_EQ(texel(image, 257, 0)[3], 1.0f) << "the trunk's last child finishes just before it";
    EXPECT_EQ(texel(image, 0, 0)[3], 3.0f) << "the first branch finished is a twig";
    EXPECT_GT(texel(image, 258, 249)[1], 1.5f) << "a grown trunk reaches up";
}

TEST(TTree, GrowthValues) {
    struct Case { const char* name; float time; int generation; float startY; int calls; float growth; float droop; };
    // G = 0.15 t - 0.3 (tree 0); a = G - 0.2 y - 0.3 g + 0.0003 c, from 15 on minus 0.3 (t - 15).
    const Case cases[] = {
        {"trunk at 1.9, nothing counted", 1.9f, 0, 0.0f, 0, 0.0f, 0.0f},
        {"trunk at 4, previous build counted", 4.0f, 0, 0.0f, kCallsPerBuild, 0.3f + 0.4662f, 0.0f},
        {"twig high up at 10", 10.0f, 3, 2.0f, 600, 1.2f - 0.4f - 0.9f + 0.18f, 0.0f},
        {"twig just before 15: no droop", 14.99f, 3, 3.0f, 0, 0.15f * 14.99f - 0.3f - 0.6f - 0.9f, 0.0f},
        {"twig at 15: droop begins", 15.0f, 3, 3.0f, 0, 1.95f - 0.6f - 0.9f, 0.04f},
        {"trunk at 15: droop not yet", 15.0f, 0, 0.0f, 0, 1.0f, 0.0f},
        {"branch at 16: the droop follows the generation", 16.0f, 2, 2.0f, 0, 2.1f - 0.4f - 0.3f - 0.6f, 0.04f},
        {"twig at 20", 20.0f, 3, 2.0f, 1000, 2.7f - 0.4f - 1.5f - 0.9f + 0.3f, (4.0f + 3.0f) * 0.02f},
        {"trunk start clamps to 1", 12.0f, 0, 0.0f, kCallsPerBuild, 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        TTree tree;
        tree.growth = static_cast<float>(c.time * 0.15 - 0.3);
        tree.time = c.time;
        tree.callCount = c.calls;
        const BranchGrowth g = branchGrowth(tree, TVector(-2.0f, c.startY, 0.0f), c.generation);
        EXPECT_NEAR(g.growth, c.growth, 1e-5f) << c.name;
        EXPECT_NEAR(g.droop, c.droop, 1e-6f) << c.name;
    }
}

TEST(TTree, TheFirstBuildBelowTwoLeavesTheTrunkAtItsStart) {
    auto tree = builtTree(0, 1.9f);
    for (const TVector& p : tree->branches.back().points) {
        ASSERT_EQ(p.x, -2.0f);
        ASSERT_EQ(p.y, 0.0f);
        ASSERT_EQ(p.z, 0.0f);
    }
    // The next build counts the 1554 calls of this one: 0.4662 more for the trunk.
    tree->time = 1.9f;
    tree->growth = static_cast<float>(1.9 * 0.15 - 0.3);
    EXPECT_NEAR(branchGrowth(*tree, TVector(-2.0f, 0.0f, 0.0f), 0).growth, 0.4662f - 0.015f, 1e-5f);
    rebuildTree(*tree, 0, 1.9f, TreeControls{});
    EXPECT_GT(tree->branches.back().points.back().y, 1.0f);
}

TEST(TTree, TheSecondTreeLagsByAFifthOfGrowth) {
    auto first = builtTree(0, 8.0f);
    auto second = builtTree(1, 8.0f);
    EXPECT_NEAR(first->growth - second->growth, 0.2f, 1e-6f);
    EXPECT_FLOAT_EQ(first->growth, 0.9f);
    EXPECT_EQ(second->branches.back().points.front().x, 2.0f) << "tree 1 stands at x = 2";
    EXPECT_EQ(first->branches.back().points.front().x, -2.0f) << "tree 0 stands at x = -2";
}

TEST(TTree, SameSeedAndTimeGiveTheSameTreeOnAnyThread) {
    const float times[] = {3.0f, 12.5f, 18.0f};
    std::vector<std::vector<float>> sequential;
    for (float t : times) {
        auto tree = builtTree(1, t);
        rebuildTree(*tree, 1, t, TreeControls{});
        sequential.emplace_back(tree->pixels, tree->pixels + kImageFloats);
    }
    // The same builds, two at a time on their own threads, while a third thread draws from the
    // C library's generator.
    std::vector<std::vector<float>> threaded(3);
    std::atomic<bool> drawing{true};
    std::thread noise([&] {
        while (drawing.load()) std::rand();
    });
    auto build = [&](int i) {
        auto tree = builtTree(1, times[i]);
        rebuildTree(*tree, 1, times[i], TreeControls{});
        threaded[static_cast<size_t>(i)].assign(tree->pixels, tree->pixels + kImageFloats);
    };
    std::thread a(build, 0), b(build, 1);
    a.join();
    b.join();
    build(2);
    drawing.store(false);
    noise.join();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::memcmp(sequential[i].data(), threaded[i].data(), kImageFloats * sizeof(float)), 0) << times[i];
    }
    EXPECT_NE(std::memcmp(sequential[0].data(), sequential[1].data(), kImageFloats * sizeof(float)), 0);
}

TEST(TreeImages, TheReaderOnlyEverSeesWholeImages) {
    TreeImages images;
    EXPECT_EQ(images.latest()[0], 0.0f) << "zeros before the first image";

    // Each image the writer publishes is filled with one value; the reader checks that every
    // image it gets is uniform and that the values never go backwards.
    constexpr int kImages = 300;
    std::thread writer([&] {
        float* buffer = images.firstBuffer();
        for (int n = 1; n <= kImages; ++n) {
            for (int i = 0; i < kImageFloats; ++i) buffer[i] = static_cast<float>(n);
            buffer = images.publish();
        }
    });
    float last = 0.0f;
    while (last < kImages) {
        const float* image = images.latest();
        const float v = image[0];
        ASSERT_GE(v, last);
        for (int i = 0; i < kImageFloats; i += 997) ASSERT_EQ(image[i], v);
        ASSERT_EQ(image[kImageFloats - 1], v);
        last = v;
    }
    writer.join();
    EXPECT_EQ(images.latest()[5], static_cast<float>(kImages));
}

TEST(TreeWorkers, RebuildUntilTheSceneReachesTwentyThree) {
    TreeClock clock;
    TTree trees[2];
    for (int i = 0; i < 2; ++i) {   // as the forest's load leaves them
        trees[i].seed = i;
        rebuildTree(trees[i], i, 0.0f, TreeControls{});
    }
    clock.sceneTime.store(22.0f);
    startTreeWorkers(clock, trees, TreeControls{}, 22.0f);
    startTreeWorkers(clock, trees, TreeControls{}, 22.0f);  // once per clock
    clock.sceneTime.store(23.5f);
    // Past 23 each worker finishes one more build and ends by itself.
    for (TTree& t : trees) {
        while (t.ready.load() == 0) std::this_thread::yield();
    }
    stopTreeWorkers(clock, trees);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(trees[i].time, 23.5f);
        auto expected = builtTree(i, 0.0f);
        rebuildTree(*expected, i, 23.5f, TreeControls{});
        EXPECT_EQ(std::memcmp(trees[i].images.latest(), expected->pixels, kImageFloats * sizeof(float)), 0)
            << "tree " << i << ": the last build is the image handed over";
    }
}

TEST(TreeWorkers, StopEndsWorkersEarly) {
    TreeClock clock;
    TTree trees[2];
    clock.sceneTime.store(5.0f);
    startTreeWorkers(clock, trees, TreeControls{}, 5.0f);
    clock.sceneTime.store(5.5f);
    stopTreeWorkers(clock, trees);
    EXPECT_EQ(trees[0].ready.load(), 1);
    EXPECT_EQ(trees[1].ready.load(), 1);
    EXPECT_LT(trees[0].time, 23.0f);
}
