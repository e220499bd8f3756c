#pragma once
// The forest scene's tree workers: two detached threads, one per tree, that rebuild their
// tree over and over for the scene's current time until the scene time reaches 23, and hand
// each whole packed image to the render thread (TTree::images), which uploads the newest one
// every frame.
//
//   TreeClock clock;                               // in the scene; published in g_treeClock
//   clock.sceneTime.store(localTime);              // render thread, every frame
//   startTreeWorkers(clock, trees, controls, t);   // first scene pass: start, detach
//   const float* image = trees[0].images.latest(); // render thread
//   stopTreeWorkers(clock, trees);                 // before the trees go away
//
// NOTE: the workers read the scene clock only through TreeClock's atomics and the engine's
// controller values only as copied at the start, so nothing they read is written unguarded.
#include <atomic>

#include "scenes/lidar/ttree.h"

// What the workers read of the scene that owns the trees.
struct TreeClock {
    std::atomic<float> sceneTime{0.0f};
    std::atomic<bool> stop{false};   // asks running workers to end after their current build
    bool started = false;            // render thread only
};

// The clock of the scene whose trees are being built; set before the workers start, unchanged
// while they run.
extern TreeClock* g_treeClock;

// The worker entry: tree `index` rebuilt for the scene time (t0 when the toggle is -1 or
// below: then one build only), each whole image published, until the build's scene time is
// 23 or more, or a stop is asked for; then `ready` = 1.
void treeWorker(TreeClock* clock, TTree* tree, int index, float t0, TreeControls controls);

// Starts the two workers (tree i with index i) and detaches them, once per clock. A failure
// to start a thread throws std::system_error, as std::thread does.
void startTreeWorkers(TreeClock& clock, TTree (&trees)[2], const TreeControls& controls, float sceneTime);

// Asks the workers to stop and waits until both have ended (no-op when none was started).
void stopTreeWorkers(TreeClock& clock, TTree (&trees)[2]);

// The same build on the calling thread: tree `index` for `sceneTime`, published whole.
void buildTreeNow(TTree& tree, int index, float sceneTime, const TreeControls& controls);
