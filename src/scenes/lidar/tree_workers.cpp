#include "scenes/lidar/tree_workers.h"

#include <chrono>
#include <thread>

TreeClock* g_treeClock = nullptr;

void buildTreeNow(TTree& tree, int index, float sceneTime, const TreeControls& controls) {
    ttree::rebuildTree(tree, index, sceneTime, controls);
    tree.pixels = tree.images.publish();
}

void treeWorker(TreeClock* clock, TTree* tree, int index, float t0, TreeControls controls) {
    float t = t0;
    bool first = true;
    for (;;) {
        const float now = controls.toggle > -1 ? clock->sceneTime.load(std::memory_order_relaxed) : t0;
        // A build for the time of the previous one would give the same tree again: wait for
        // the clock to move instead of spinning on the shared cores.
        if (!first && now == t) {
            if (clock->stop.load(std::memory_order_relaxed)) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        first = false;
        t = now;
        buildTreeNow(*tree, index, t, controls);
        if (!(controls.toggle > -1 && t < ttree::kGrowthStopTime)) break;
        if (clock->stop.load(std::memory_order_relaxed)) break;
    }
    tree->ready.store(1, std::memory_order_release);
}

void startTreeWorkers(TreeClock& clock, TTree (&trees)[2], const TreeControls& controls, float sceneTime) {
    if (clock.started) return;
    clock.started = true;
    clock.stop.store(false, std::memory_order_relaxed);
    std::thread workers[2];
    for (int i = 0; i < 2; ++i) {
        trees[i].ready.store(0, std::memory_order_relaxed);
        workers[i] = std::thread(treeWorker, &clock, &trees[i], i, sceneTime, controls);
    }
    for (std::thread& w : workers) w.detach();
}

void stopTreeWorkers(TreeClock& clock, TTree (&trees)[2]) {
    if (!clock.started) return;
    clock.stop.store(true, std::memory_order_relaxed);
    for (TTree& tree : trees) {
        while (tree.ready.load(std::memory_order_acquire) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
