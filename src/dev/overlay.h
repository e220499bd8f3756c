#pragma once
// F1 in developer mode: an overlay drawn with Dear ImGui over the finished picture, in the
// window only (captures and F12 shots never hold it). It shows the times and their drift, the
// scene with its own clock and slot, the frame rate and the engine's CPU time, the
// checkpoints' memory, the loop, and a timeline of the scenes over the music's waveform: a
// click seeks, a drag scrubs.
#include <SDL.h>

#include <string>
#include <vector>

#include "dev/transport.h"

namespace dev {

struct OverlayFacts {
    double demoTime = 0.0;
    double musicTime = 0.0;
    std::string scene;
    int slot = -1;
    float sceneClock = 0.0f;
    double fps = 0.0;
    double frameMs = 0.0;      // wall time of the last frame's drawing
    double engineCpuMs = 0.0;  // the render thread's CPU time in it
    double checkpointMiB = 0.0;
    double budgetMiB = 0.0;
    size_t checkpoints = 0;
    std::string lastMessage;   // the last reload's failure, if any
    const Transport* transport = nullptr;
};

class Overlay {
public:
    bool visible = false;

    // Render thread, with the show's context current; once.
    void init(SDL_Window* window);
    void setWaveform(std::vector<float> peaks) { waveform_ = std::move(peaks); }
    // Draws over the window's back buffer (after the picture, before the swap). Returns the
    // demo time the timeline asks for (a click or a drag), or a negative number.
    double draw(const OverlayFacts& facts, float dt);

private:
    SDL_Window* window_ = nullptr;
    bool ready_ = false;
    std::vector<float> waveform_;
};

}  // namespace dev
