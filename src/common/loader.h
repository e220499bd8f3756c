#pragma once
// Loader: one worker thread of a scene's loading, the one way scenes start and join them.
//
//   Loader worker;                                   // a member of the scene, or a local
//   worker.start([&samples] { samples.loadMesh(...); });   // in load(), render thread
//   ...
//   worker.join();                                   // before the render thread uploads
//   samples.upload();
//
// The body owns what it writes until it is joined; the render thread touches that only before
// start and after join. join() on a loader that was never started, or is already joined, does
// nothing (a scene whose finishLoad runs without its load does not end the process).
// NOTE: the destructor joins too, so a loader never outlives its thread; scenes, which live
// until the process ends, join theirs in load() or finishLoad().
#include <thread>
#include <utility>

class Loader {
public:
    Loader() = default;
    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;
    ~Loader() { join(); }

    // Joins a previous body first, then runs `body` on a new thread.
    template <class Body>
    void start(Body&& body) {
        join();
        thread_ = std::thread(std::forward<Body>(body));
    }
    void join() {
        if (thread_.joinable()) thread_.join();
    }
    // Started and not yet joined.
    bool running() const { return thread_.joinable(); }

private:
    std::thread thread_;
};
